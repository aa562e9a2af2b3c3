#include "SqlCipher.h"
#include "TableFiles.h"
#include "TableSchema.h"

// The movement log's own id column, given to a log made without it.

namespace kucun {

namespace {

// The log's columns; nothing when the file can't be read.
std::optional<QList<sql::DeclaredColumn>> columnsOfLog(sql::Connection &log)
{
    auto columns = log.columnsOf(QStringLiteral("main"), tables::明细);
    return columns && !columns->isEmpty() ? columns : std::nullopt;
}

bool hasRowIdColumn(const QList<sql::DeclaredColumn> &columns)
{
    return std::any_of(columns.cbegin(), columns.cend(),
                       [](const sql::DeclaredColumn &column) { return column.isRowId; });
}

// The statements that made the log's indexes, to make them again on the
// rebuilt table.
QStringList indexesOfLog(sql::Connection &log)
{
    sql::Statement indexes(log.handle(),
                           QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'index' "
                                          "AND tbl_name = '明细' AND sql IS NOT NULL"));
    QStringList statements;
    while (indexes.step()) {
        statements << indexes.textAt(0);
    }
    return statements;
}

} // namespace

std::optional<bool> logHasOwnIds(const QString &logPath)
{
    auto log = sql::Connection::openExisting(logPath, tablePassword());
    if (!log) {
        return std::nullopt;
    }
    const auto columns = columnsOfLog(*log);
    if (!columns) {
        return std::nullopt;
    }
    return hasRowIdColumn(*columns);
}

bool giveLogOwnIds(const QString &logPath, QString *error)
{
    const auto fail = [error](const QString &message) {
        if (error) {
            *error = message;
        }
        return false;
    };
    auto log = sql::Connection::openExisting(logPath, tablePassword());
    if (!log) {
        return fail(QStringLiteral("无法打开 %1").arg(logPath));
    }
    // The write lock first: what is read below stays true until the commit.
    if (!log->exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        return fail(log->lastError());
    }
    const auto rolledBack = [&log, &fail](const QString &message) {
        log->exec(QStringLiteral("ROLLBACK"));
        return fail(message);
    };
    const auto columns = columnsOfLog(*log);
    if (!columns) {
        return rolledBack(QStringLiteral("无法读取 %1 的字段").arg(logPath));
    }
    if (hasRowIdColumn(*columns)) {
        log->exec(QStringLiteral("ROLLBACK"));
        return true;
    }
    const QString id = QStringLiteral("id");
    QStringList definitions{QStringLiteral("\"id\" INTEGER PRIMARY KEY AUTOINCREMENT")};
    QStringList names;
    for (const sql::DeclaredColumn &column : *columns) {
        if (column.name.compare(id, Qt::CaseInsensitive) == 0) {
            return rolledBack(QStringLiteral("明细已有名为 id 的字段，无法加入编号"));
        }
        const QString name = sql::quoteIdentifier(column.name);
        definitions << (name + QLatin1Char(' ') + column.declaredType).trimmed();
        names << name;
    }
    const QString rebuilt = QStringLiteral("\"明细_编号\"");
    QStringList statements{
        QStringLiteral("CREATE TABLE %1 (%2)").arg(rebuilt, definitions.join(QStringLiteral(", "))),
        QStringLiteral("INSERT INTO %1 (\"id\", %2) SELECT rowid, %2 FROM \"明细\" ORDER BY rowid")
            .arg(rebuilt, names.join(QStringLiteral(", "))),
    };
    const QStringList indexes = indexesOfLog(*log);
    statements << QStringLiteral("DROP TABLE \"明细\"")
               << QStringLiteral("ALTER TABLE %1 RENAME TO \"明细\"").arg(rebuilt) << indexes;
    for (const QString &statement : std::as_const(statements)) {
        if (!log->exec(statement)) {
            return rolledBack(log->lastError());
        }
    }
    if (!log->exec(QStringLiteral("COMMIT"))) {
        return rolledBack(log->lastError());
    }
    // The indexes a new log is made with, where the old one lacked them.
    addMissingIndexes(logPath, tables::明细);
    return true;
}

} // namespace kucun
