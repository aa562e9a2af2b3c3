#include "TableFiles.h"

#include "SqlCipher.h"
#include "TableSchema.h"

#include <QFileInfo>

namespace kucun {

namespace {

QString createStatement(const QString &tableName)
{
    QStringList columns;
    if (tableName == tables::明细) {
        // An id of its own that is never handed out twice: a log row deleted
        // by one copy of the program can't come back as another row under
        // the id a second copy still lists.
        columns << QStringLiteral("\"id\" INTEGER PRIMARY KEY AUTOINCREMENT");
    }
    for (const FieldDefinition &field : tables::fieldsOf(tableName)) {
        columns << sql::quoteIdentifier(field.name) + QLatin1Char(' ') + declaredType(field.kind);
    }
    return QStringLiteral("CREATE TABLE %1 (%2)")
        .arg(sql::quoteIdentifier(tableName), columns.join(QStringLiteral(", ")));
}

} // namespace

// The indexes of a table's file: the log by date (the day's movements,
// date searches) and by model (a model's history); the models by category
// and item (the models of an item, and one model).
QStringList indexStatements(const QString &tableName)
{
    if (tableName == tables::明细) {
        return {QStringLiteral("CREATE INDEX IF NOT EXISTS \"明细_日期\" ON \"明细\" (\"日期\")"),
                QStringLiteral("CREATE INDEX IF NOT EXISTS \"明细_型号\" ON \"明细\" "
                               "(\"型号\", \"品类\", \"名称\")")};
    }
    if (tableName == tables::型号) {
        return {QStringLiteral("CREATE INDEX IF NOT EXISTS \"型号_品类_名称\" ON \"型号\" "
                               "(\"品类\", \"名称\")")};
    }
    if (tableName == tables::型号资料) {
        return {
            QStringLiteral("CREATE UNIQUE INDEX IF NOT EXISTS \"型号资料_型号\" ON \"型号资料\" "
                           "(\"型号\", \"品类\", \"名称\")"),
            QStringLiteral(
                "CREATE INDEX IF NOT EXISTS \"型号资料_条码\" ON \"型号资料\" (\"条码\")"),
            // The unique index leads with 型号: an item's models need their own.
            QStringLiteral("CREATE INDEX IF NOT EXISTS \"型号资料_品类_名称\" ON \"型号资料\" "
                           "(\"品类\", \"名称\")")};
    }
    if (tableName == tables::明细金额) {
        return {QStringLiteral(
            "CREATE UNIQUE INDEX IF NOT EXISTS \"明细金额_明细\" ON \"明细金额\" (\"明细\")")};
    }
    return {};
}

bool createTableFile(const QString &path, const QString &tableName, QString *error)
{
    const auto fail = [error](const QString &message) {
        if (error) {
            *error = message;
        }
        return false;
    };
    if (tables::fieldsOf(tableName).isEmpty()) {
        return fail(QStringLiteral("未知的表：%1").arg(tableName));
    }
    if (QFileInfo::exists(path)) {
        return fail(QStringLiteral("文件已存在：%1").arg(path));
    }
    auto connection = sql::Connection::create(path, tablePassword());
    if (!connection) {
        return fail(QStringLiteral("无法创建文件：%1").arg(path));
    }
    QStringList statements{QStringLiteral("BEGIN"), createStatement(tableName)};
    statements << indexStatements(tableName);
    if (tableName == tables::设置) {
        statements << QStringLiteral("INSERT INTO \"设置\" DEFAULT VALUES");
    }
    statements << QStringLiteral("COMMIT");
    for (const QString &statement : std::as_const(statements)) {
        if (!connection->exec(statement)) {
            return fail(QStringLiteral("写入 %1 失败：%2").arg(path, connection->lastError()));
        }
    }
    return true;
}

bool addMissingIndexes(const QString &path, const QString &tableName)
{
    const QStringList statements = indexStatements(tableName);
    if (statements.isEmpty()) {
        return true;
    }
    auto connection = sql::Connection::openExisting(path, tablePassword());
    if (!connection) {
        return false;
    }
    for (const QString &statement : statements) {
        if (!connection->exec(statement)) {
            return false;
        }
    }
    return true;
}

bool insertRecords(const QString &path, const QString &tableName, qint64 count,
                   const std::function<QVariantList(qint64)> &record, QString *error)
{
    const auto fail = [error](const QString &message) {
        if (error) {
            *error = message;
        }
        return false;
    };
    auto connection = sql::Connection::openExisting(path, tablePassword());
    if (!connection) {
        return fail(QStringLiteral("无法打开 %1").arg(path));
    }
    const FieldList &fields = tables::fieldsOf(tableName);
    const qsizetype fieldCount = fields.size();
    QStringList columns;
    for (const FieldDefinition &field : fields) {
        columns << sql::quoteIdentifier(field.name);
    }
    if (!connection->exec(QStringLiteral("BEGIN"))) {
        return fail(QStringLiteral("写入 %1 失败：%2").arg(path, connection->lastError()));
    }
    sql::Statement insert(connection->handle(),
                          QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                              .arg(sql::quoteIdentifier(tableName), columns.join(QLatin1Char(',')),
                                   sql::placeholders(int(fieldCount))));
    for (qint64 i = 0; i < count && !insert.failed(); ++i) {
        insert.reset();
        const QVariantList values = record(i);
        for (qsizetype v = 0; v < values.size() && v < fieldCount; ++v) {
            insert.bind(int(v) + 1, values[v]);
        }
        insert.step();
    }
    if (insert.failed() || !connection->exec(QStringLiteral("COMMIT"))) {
        const QString message = insert.error();
        connection->exec(QStringLiteral("ROLLBACK"));
        return fail(QStringLiteral("写入 %1 失败：%2").arg(path, message));
    }
    return true;
}

bool keepIdsAbove(const QString &logPath, const QString &otherLogPath)
{
    const auto highestGiven = [](sql::Connection &log) -> qint64 {
        sql::Statement given(log.handle(),
                             QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name = '明细'"));
        return given.isValid() && given.step() ? given.int64At(0) : 0;
    };
    auto log = sql::Connection::openExisting(logPath, tablePassword());
    auto other = sql::Connection::openExisting(otherLogPath, tablePassword());
    if (!log || !other) {
        return false;
    }
    const qint64 above = highestGiven(*other);
    if (above <= highestGiven(*log)) {
        return true;
    }
    sql::Statement raise(log->handle(),
                         QStringLiteral("UPDATE sqlite_sequence SET seq = ? WHERE name = '明细'"));
    raise.bind(1, above);
    // A log without its own ids has no sequence to raise.
    return !raise.isValid() || (raise.step(), !raise.failed());
}

} // namespace kucun
