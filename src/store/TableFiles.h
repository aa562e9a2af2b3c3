#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>
#include <optional>

namespace kucun {

// The statements that make a table's indexes, each made only when missing:
// the log by date and by model, the models by category and item, the
// tables of our own by the keys they are found by.
QStringList indexStatements(const QString &tableName);

// Creates the encrypted file of one table with its fields in field order.
// Never overwrites: fails when the file exists. The movement log gets an
// index on its date and one on its model texts; the settings table gets its
// one record of empty fields.
bool createTableFile(const QString &path, const QString &tableName, QString *error = nullptr);

// Gives a table file made before one of its indexes was known that index.
// Building an index on a big log takes a while, once. False when the file
// could not take it (missing, busy, read-only); it then works as before,
// only slower.
bool addMissingIndexes(const QString &path, const QString &tableName);

// Appends `count` records to a table file in one transaction; record(i)
// gives the values of the i-th record in field order. For tools that fill
// new files with many records.
bool insertRecords(const QString &path, const QString &tableName, qint64 count,
                   const std::function<QVariantList(qint64)> &record, QString *error = nullptr);

// Makes the log file at logPath hand out ids above every id the log at
// otherLogPath ever handed out (a log restored from a backup must not give a
// row the id of one it replaced). A log without ids of its own is left as
// it is.
bool keepIdsAbove(const QString &logPath, const QString &otherLogPath);

// Whether the movement log in this file has its id column of its own (an
// INTEGER PRIMARY KEY AUTOINCREMENT); nothing when the file can't be read.
std::optional<bool> logHasOwnIds(const QString &logPath);

// Rebuilds a movement log made without its id column (by an older version
// or the shell) with one, in one transaction: every row keeps its rowid as
// its id, its values, its order and every index of the table. Done or not
// at all; true when the log has its ids afterwards.
bool giveLogOwnIds(const QString &logPath, QString *error = nullptr);

} // namespace kucun
