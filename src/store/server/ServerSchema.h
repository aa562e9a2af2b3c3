#pragma once

#include "store/TableSchema.h"

#include <QString>
#include <QStringList>

namespace kucun {

namespace pg {
class Connection;
} // namespace pg

// The schema a server book keeps its tables in.
inline const QString serverSchema = QStringLiteral("kucun");

// The channel a server book announces its committed changes on, each as
// the table and the kind of change: "明细 INSERT", "型号 UPDATE".
inline const QString changeChannel = QStringLiteral("kucun");

// The server type of a field: the same figures and texts as the files give.
QString serverType(FieldKind kind);

// The statements that make a server book's tables in schema kucun: one
// table per table file, same name, same fields in the same order, each led
// by an identity "id" that numbers its rows as a file numbers them (the
// log's id, and the row id of the others); then the files' indexes, and a
// trigger on each table that announces its changes on changeChannel.
QStringList serverSchemaStatements();

// Makes a new server book in a database that has no schema kucun: its
// tables, their indexes and the one settings record, in one transaction.
// False, with the server's reason, when any of it fails: nothing is left.
bool createServerBook(pg::Connection &connection, QString *failure);

} // namespace kucun
