#pragma once

#include <QString>

namespace kucun {

// Creates the encrypted file of one table with its fields in field order.
// Never overwrites: fails when the file exists. The movement log gets an
// index on its date; the settings table gets its one record of empty fields.
bool createTableFile(const QString &path, const QString &tableName, QString *error = nullptr);

} // namespace kucun
