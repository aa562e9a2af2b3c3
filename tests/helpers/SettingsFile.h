#pragma once

#include <QString>

namespace kucun::test {

class TestTables;

// Replaces the settings file of the program directory with one written by
// another program: a table 设置 with these column definitions
// ("密码 TEXT, 登陆密码 BOOLEAN, ...") and one record of these SQL values
// ("'abc', 1, ..."); no record when values is empty.
void replaceSettingsFile(const TestTables &files, const QString &columns, const QString &values);

} // namespace kucun::test
