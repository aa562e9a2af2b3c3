#include "SettingsFile.h"

#include "TestTables.h"
#include "store/SqlCipher.h"
#include "store/TableSchema.h"

#include <QFile>

namespace kucun::test {

void replaceSettingsFile(const TestTables &files, const QString &columns, const QString &values)
{
    const QString path = files.path(tables::设置);
    QFile::remove(path);
    auto settings = sql::Connection::create(path, tablePassword());
    if (!settings || !settings->exec(QStringLiteral("CREATE TABLE 设置 (%1)").arg(columns)) ||
        (!values.isEmpty() &&
         !settings->exec(QStringLiteral("INSERT INTO 设置 VALUES (%1)").arg(values)))) {
        qFatal("cannot write the settings file %s", qPrintable(path));
    }
}

} // namespace kucun::test
