#pragma once

#include <QString>
#include <QVariantList>
#include <functional>

namespace kucun {

// Creates the encrypted file of one table with its fields in field order.
// Never overwrites: fails when the file exists. The movement log gets an
// index on its date; the settings table gets its one record of empty fields.
bool createTableFile(const QString &path, const QString &tableName, QString *error = nullptr);

// Appends `count` records to a table file in one transaction; record(i)
// gives the values of the i-th record in field order. For tools that fill
// new files with many records.
bool insertRecords(const QString &path, const QString &tableName, qint64 count,
                   const std::function<QVariantList(qint64)> &record, QString *error = nullptr);

} // namespace kucun
