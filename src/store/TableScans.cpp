#include "RecordCounts.h"
#include "SqlCipher.h"
#include "StoreError.h"
#include "Table.h"

#include <string>
#include <unordered_map>

// Reads over many records: scans with a filter and totals by texts.

namespace kucun {

bool Table::forEachMatching(const RecordFilter &filter,
                            const std::function<void(const Record &)> &visit)
{
    if (!isOpen()) {
        throw StoreError(QStringLiteral("没有打开的表"));
    }
    QStringList all;
    for (const FieldDefinition &field : m_schema->fields()) {
        all << field.name;
    }
    return forEachMatching(filter, all, visit);
}

bool Table::forEachMatching(const RecordFilter &filter, const QStringList &fields,
                            const std::function<void(const Record &)> &visit)
{
    return visitRows(matchingScan(filter, fields), filter.parameters, visit);
}

bool Table::forEachMatching(const RecordFilter &filter, const QStringList &fields,
                            const std::function<void(const StoredRow &)> &visit)
{
    return visitRows(matchingScan(filter, fields), filter.parameters, visit);
}

bool Table::forEachJoined(const RecordFilter &filter, const QStringList &fields,
                          const QString &attachedTable, const QString &idField,
                          const QStringList &joinedFields, Join join,
                          const std::function<void(const Record &)> &visit, Order order)
{
    return visitRows(joinedScan(filter, fields, attachedTable, idField, joinedFields, join, order),
                     filter.parameters, visit);
}

bool Table::forEachJoined(const RecordFilter &filter, const QStringList &fields,
                          const QString &attachedTable, const QString &idField,
                          const QStringList &joinedFields, Join join,
                          const std::function<void(const StoredRow &)> &visit, Order order)
{
    return visitRows(joinedScan(filter, fields, attachedTable, idField, joinedFields, join, order),
                     filter.parameters, visit);
}

Table::Scan Table::matchingScan(const RecordFilter &filter, const QStringList &fields) const
{
    if (!isOpen()) {
        throw StoreError(QStringLiteral("没有打开的表"));
    }
    FieldList read;
    for (const QString &field : fields) {
        read << m_schema->fields().at(m_schema->indexOf(field));
    }
    const auto columns = std::make_shared<const Schema>(m_schema->tableName(), read);
    return {selectColumns(*columns) + indexChoice(filter) + QStringLiteral("WHERE ") +
                filter.sqlCondition + QStringLiteral(" ORDER BY rowid"),
            columns};
}

Table::Scan Table::joinedScan(const RecordFilter &filter, const QStringList &fields,
                              const QString &attachedTable, const QString &idField,
                              const QStringList &joinedFields, Join join, Order order) const
{
    if (!isOpen()) {
        throw StoreError(QStringLiteral("没有打开的表"));
    }
    const std::shared_ptr<const Schema> joined = schemaOf(attachedTable);
    if (!joined || joined == m_schema) {
        throw StoreError(QStringLiteral("没有附加的表 %1").arg(attachedTable));
    }
    joined->indexOf(idField);
    FieldList read;
    QStringList own;
    QStringList theirs;
    for (const QString &field : fields) {
        read << m_schema->fields().at(m_schema->indexOf(field));
        own << sql::quoteIdentifier(field);
        theirs << QStringLiteral("t.") + sql::quoteIdentifier(field);
    }
    for (const QString &field : joinedFields) {
        read << joined->fields().at(joined->indexOf(field));
        theirs << QStringLiteral("j.") + sql::quoteIdentifier(field);
    }
    // The filter names this table's fields bare: it applies inside the
    // subquery, where no field of the attached table can shadow them.
    const QString query =
        QStringLiteral("SELECT t.\"_id\"%1 FROM (SELECT rowid AS \"_id\"%2 FROM %3 %4WHERE %5) "
                       "AS t %6JOIN %7 AS j ON j.%8 = t.\"_id\"%9")
            .arg(theirs.isEmpty() ? QString() : QLatin1Char(',') + theirs.join(QLatin1Char(',')),
                 own.isEmpty() ? QString() : QLatin1Char(',') + own.join(QLatin1Char(',')),
                 quotedTable(), indexChoice(filter), filter.sqlCondition,
                 join == Join::Every ? QStringLiteral("LEFT ") : QString(),
                 qualifiedTable(attachedTable).first, sql::quoteIdentifier(idField),
                 // Records found by an index on another field come in that
                 // field's order: record order costs a sort.
                 order == Order::ByRecord ? QStringLiteral(" ORDER BY t.\"_id\"") : QString());
    return {query, std::make_shared<const Schema>(m_schema->tableName(), read)};
}

std::optional<std::vector<Table::TextsTotal>>
Table::totalsByTexts(const RecordFilter &filter, const QStringList &textFields,
                     const QString &added, const QString &taken, const QString &table)
{
    if (!isOpen()) {
        m_fault = StoreFault::Unavailable;
        return std::nullopt;
    }
    const bool main = table.isEmpty() || table == m_schema->tableName();
    const Schema *schema = m_schema.get();
    for (const AttachedTable &attached : std::as_const(m_attached)) {
        if (!main && attached.schema->tableName() == table) {
            schema = attached.schema.get();
        }
    }
    if (!main && schema == m_schema.get()) {
        throw StoreError(QStringLiteral("没有附加的表 %1").arg(table));
    }
    QStringList texts;
    for (const QString &field : textFields) {
        schema->indexOf(field);
        texts << QStringLiteral("coalesce(%1, '')").arg(sql::quoteIdentifier(field));
    }
    schema->indexOf(added);
    schema->indexOf(taken);
    // SQLite of this age groups by sorting, which over a million rows takes
    // seconds; one pass that adds up in a hash table takes a fraction.
    const auto select = m_connection->query(
        QStringLiteral("SELECT %1, %2, %3 FROM %4 %5WHERE %6")
            .arg(texts.join(QLatin1Char(',')), sql::quoteIdentifier(added),
                 sql::quoteIdentifier(taken), main ? quotedTable() : qualifiedTable(table).first,
                 main ? indexChoice(filter) : QString(), filter.sqlCondition),
        filter.parameters);
    const int count = int(textFields.size());
    std::vector<TextsTotal> totals;
    std::unordered_map<std::string, size_t> positions;
    std::string key;
    while (select->step()) {
        key.clear();
        for (int column = 0; column < count; ++column) {
            key += select->utf8At(column);
            key += '\x1f'; // a separator no text holds
        }
        const auto [position, isNew] = positions.try_emplace(key, totals.size());
        if (isNew) {
            TextsTotal row;
            for (int column = 0; column < count; ++column) {
                row.texts << select->textAt(column);
            }
            totals.push_back(std::move(row));
        }
        totals[position->second].total += select->doubleAt(count) - select->doubleAt(count + 1);
    }
    if (select->failed() || !select->isValid()) {
        noteReadFailure();
        return std::nullopt;
    }
    return totals;
}

QString Table::indexChoice(const RecordFilter &filter) const
{
    // Reading the table straight through beats sorting most of it by record order.
    return !filter.rangeField.isEmpty() && rangeCoversMuch(filter)
               ? m_connection->straightThroughHint()
               : QString();
}

bool Table::rangeCoversMuch(const RecordFilter &filter) const
{
    // min() and max() come from an index in no time; without one they would
    // read the whole table, and then there is no index to avoid anyway.
    if (m_connection->straightThroughHint().isEmpty() ||
        !m_connection->hasIndexLeadingWith(m_schema->tableName(), filter.rangeField)) {
        return false;
    }
    // One aggregate a statement: only then does SQLite read just the index's end.
    const auto extreme = [this, &filter](const char *aggregate) {
        const auto statement =
            m_connection->query(QStringLiteral("SELECT %1(%2) FROM %3")
                                    .arg(QLatin1String(aggregate),
                                         sql::quoteIdentifier(filter.rangeField), quotedTable()));
        return statement->step() ? parseStoredDateTime(statement->textAt(0)) : QDateTime();
    };
    const QDateTime first = extreme("min");
    const QDateTime last = extreme("max");
    const QDateTime low = std::max(first, parseStoredDateTime(filter.rangeLow));
    const QDateTime high = std::min(last, parseStoredDateTime(filter.rangeHigh));
    if (!first.isValid() || !last.isValid() || !low.isValid() || !high.isValid()) {
        return false;
    }
    const qint64 whole = std::max<qint64>(1, first.daysTo(last));
    return low.daysTo(high) * 5 > whole;
}

bool Table::visitRows(const Scan &scan, const QVariantList &parameters,
                      const std::function<void(const Record &)> &visit)
{
    Record record(scan.columns, 0, {});
    RowTexts previous;
    return visitRows(scan, parameters, [&](const StoredRow &row) {
        readRowInto(row.m_statement, record, &previous);
        visit(record);
    });
}

bool Table::visitRows(const Scan &scan, const QVariantList &parameters,
                      const std::function<void(const StoredRow &)> &visit)
{
    const auto select = m_connection->stream(scan.query, parameters);
    const StoredRow row(*select);
    while (select->step()) {
        visit(row);
    }
    // A busy or damaged file must not pass for a shorter table.
    return select->isValid() && !select->failed() ? true : noteReadFailure();
}

} // namespace kucun
