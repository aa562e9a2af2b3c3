#include "ServerSchema.h"

#include "PgConnection.h"
#include "store/SqlCipher.h"
#include "store/TableFiles.h"

namespace kucun {

QString serverType(FieldKind kind)
{
    switch (kind) {
    case FieldKind::Text:
        return QStringLiteral("text");
    // A whole-number field of the files holds any number another program
    // wrote there (a log of 2.5 out): the server keeps it as written.
    case FieldKind::Number:
    case FieldKind::Integer:
        return QStringLiteral("double precision");
    case FieldKind::Logical:
        return QStringLiteral("boolean");
    case FieldKind::DateTime:
        return QStringLiteral("timestamp");
    case FieldKind::Unknown:
        break;
    }
    return QStringLiteral("bytea");
}

QStringList serverSchemaStatements()
{
    QStringList statements{
        QStringLiteral("CREATE SCHEMA %1").arg(sql::quoteIdentifier(serverSchema)),
        QStringLiteral("SET LOCAL search_path = %1").arg(sql::quoteIdentifier(serverSchema))};
    // The files' instr(), which finds a keyword in a text, under its own name.
    statements << QStringLiteral("CREATE FUNCTION instr(haystack text, needle text) RETURNS "
                                 "integer LANGUAGE sql IMMUTABLE STRICT AS "
                                 "'SELECT strpos(haystack, needle)'");
    // Every committed change tells the other programs which table it touched
    // and how ("型号 UPDATE"); a notice is sent only when its transaction commits.
    statements << QStringLiteral(
                      "CREATE FUNCTION announce_change() RETURNS trigger LANGUAGE plpgsql AS "
                      "'BEGIN PERFORM pg_notify(''%1'', TG_TABLE_NAME || '' '' || TG_OP); RETURN "
                      "NULL; END'")
                      .arg(changeChannel);
    QStringList tables = tables::allTableNames();
    tables << tables::ownTableNames();
    for (const QString &table : std::as_const(tables)) {
        QStringList columns{
            QStringLiteral("\"id\" bigint GENERATED ALWAYS AS IDENTITY PRIMARY KEY")};
        for (const FieldDefinition &field : tables::fieldsOf(table)) {
            columns << sql::quoteIdentifier(field.name) + QLatin1Char(' ') + serverType(field.kind);
        }
        statements << QStringLiteral("CREATE TABLE %1 (%2)")
                          .arg(sql::quoteIdentifier(table), columns.join(QStringLiteral(", ")));
        statements << indexStatements(table);
        statements << QStringLiteral("CREATE TRIGGER %1 AFTER INSERT OR UPDATE OR DELETE OR "
                                     "TRUNCATE ON %2 FOR EACH STATEMENT EXECUTE FUNCTION "
                                     "announce_change()")
                          .arg(sql::quoteIdentifier(table + QStringLiteral("_changed")),
                               sql::quoteIdentifier(table));
    }
    return statements;
}

bool createServerBook(pg::Connection &connection, QString *failure)
{
    QStringList statements{QStringLiteral("BEGIN")};
    statements << serverSchemaStatements();
    statements << QStringLiteral("INSERT INTO \"设置\" DEFAULT VALUES") << QStringLiteral("COMMIT");
    for (const QString &statement : std::as_const(statements)) {
        if (!connection.execScript(statement, failure)) {
            connection.execScript(QStringLiteral("ROLLBACK"));
            return false;
        }
    }
    return true;
}

} // namespace kucun
