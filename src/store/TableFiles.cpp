#include "TableFiles.h"

#include "SqlCipher.h"
#include "TableSchema.h"

#include <QFileInfo>

namespace kucun {

namespace {

QString createStatement(const QString &tableName)
{
    QStringList columns;
    for (const FieldDefinition &field : tables::fieldsOf(tableName)) {
        columns << sql::quoteIdentifier(field.name) + QLatin1Char(' ') + declaredType(field.kind);
    }
    return QStringLiteral("CREATE TABLE %1 (%2)")
        .arg(sql::quoteIdentifier(tableName), columns.join(QStringLiteral(", ")));
}

} // namespace

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
    if (tableName == tables::明细) {
        statements << QStringLiteral("CREATE INDEX \"明细_日期\" ON \"明细\" (\"日期\")");
    }
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

} // namespace kucun
