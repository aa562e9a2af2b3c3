#include "SqlCipher.h"
#include "StoreError.h"
#include "Table.h"

// Reads and changes of the records of an attached table by condition: what a
// change across files needs of a table beside the one the cursor walks.

namespace kucun {

bool Table::holds(const QString &table) const
{
    return isOpen() && !qualifiedTable(table).first.isEmpty();
}

std::shared_ptr<const Schema> Table::schemaOf(const QString &table) const
{
    if (table == m_schema->tableName()) {
        return m_schema;
    }
    for (const AttachedTable &attached : std::as_const(m_attached)) {
        if (attached.schema->tableName() == table) {
            return attached.schema;
        }
    }
    return nullptr;
}

bool Table::forEachIn(const QString &table, const RecordFilter &filter,
                      const std::function<void(const Record &)> &visit)
{
    if (!isOpen() || !holds(table)) {
        throw StoreError(QStringLiteral("没有附加的表 %1").arg(table));
    }
    const std::shared_ptr<const Schema> schema = schemaOf(table);
    QStringList names{QStringLiteral("rowid")};
    for (const FieldDefinition &field : schema->fields()) {
        names << sql::quoteIdentifier(field.name);
    }
    const auto select = m_connection->query(
        QStringLiteral("SELECT %1 FROM %2 WHERE %3 ORDER BY rowid")
            .arg(names.join(QLatin1Char(',')), qualifiedTable(table).first, filter.sqlCondition),
        filter.parameters);
    Record record(schema, 0, {});
    while (select->step()) {
        readRowInto(*select, record);
        visit(record);
    }
    return select->isValid() && !select->failed() ? true : noteReadFailure();
}

std::optional<qint64> Table::modifyMatching(const QString &table, const RecordFilter &filter,
                                            const QVariantList &values)
{
    if (!isOpen() || !holds(table)) {
        m_fault = StoreFault::Unavailable;
        return std::nullopt;
    }
    auto [assignments, bound] = assignmentsOf(schemaOf(table)->fields(), values);
    if (assignments.isEmpty()) {
        return 0;
    }
    bound << filter.parameters;
    const auto update =
        m_connection->query(QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                                .arg(qualifiedTable(table).first, assignments, filter.sqlCondition),
                            bound);
    update->step();
    if (!update->isValid() || update->failed()) {
        noteFailure();
        return std::nullopt;
    }
    if (table == m_schema->tableName()) {
        moveToRow(QStringLiteral("WHERE rowid = ?"), {m_current.rowId()});
    }
    return m_connection->changes();
}

qint64 Table::lastAppendedId() const
{
    return m_connection->lastInsertId();
}

} // namespace kucun
