#include "RecordCounts.h"
#include "SqlCipher.h"
#include "StoreError.h"
#include "Table.h"

// Changes across attached table files: appends, deletions and the
// transaction that makes them one.

namespace kucun {

bool Table::removeMatching(const QString &table, const RecordFilter &filter)
{
    if (!isOpen()) {
        return false;
    }
    const auto [qualified, path] = qualifiedTable(table);
    if (qualified.isEmpty()) {
        return false;
    }
    const auto remove = m_connection->query(
        QStringLiteral("DELETE FROM %1 WHERE %2").arg(qualified, filter.sqlCondition),
        filter.parameters);
    const bool removed = countedWriteOf(path, [this, &remove]() -> std::optional<qint64> {
        remove->step();
        if (!remove->isValid() || remove->failed()) {
            noteFailure();
            return std::nullopt;
        }
        return -m_connection->changes();
    });
    m_cachedCount = -1;
    return removed;
}

bool Table::appendTo(const QString &attachedTable, const QVariantList &values)
{
    for (const AttachedTable &attached : std::as_const(m_attached)) {
        if (attached.schema->tableName() == attachedTable) {
            return countedWrite(attached.path, 1, [&] {
                return insertInto(m_connection->qualifiedName(attachedTable, attachedTable),
                                  *attached.schema, values);
            });
        }
    }
    return false;
}

std::pair<QString, QString> Table::qualifiedTable(const QString &table) const
{
    if (table == m_schema->tableName()) {
        return {quotedTable(), m_path};
    }
    for (const AttachedTable &attached : std::as_const(m_attached)) {
        if (attached.schema->tableName() == table) {
            return {m_connection->qualifiedName(table, table), attached.path};
        }
    }
    return {};
}

bool Table::beginTransaction()
{
    if (!isOpen() || m_inTransaction) {
        return false;
    }
    if (!m_connection->beginWriting()) {
        return noteFailure();
    }
    // The write lock is held from here on: the counts known now stay true
    // until this transaction's own changes.
    m_transactionCounts.clear();
    m_transactionCounts.insert(m_path, recordcounts::lookup(m_path));
    for (const AttachedTable &attached : std::as_const(m_attached)) {
        m_transactionCounts.insert(attached.path, recordcounts::lookup(attached.path));
    }
    m_inTransaction = true;
    return true;
}

bool Table::commit()
{
    if (!isOpen() || !m_inTransaction) {
        return false;
    }
    if (!m_connection->exec(QStringLiteral("COMMIT"))) {
        return noteFailure();
    }
    m_inTransaction = false;
    for (auto it = m_transactionCounts.cbegin(); it != m_transactionCounts.cend(); ++it) {
        if (it.value()) {
            recordcounts::remember(it.key(), *it.value());
        } else {
            recordcounts::forget(it.key());
        }
    }
    m_transactionCounts.clear();
    m_cachedCount = -1;
    return true;
}

void Table::rollback()
{
    if (!isOpen()) {
        return;
    }
    m_connection->exec(QStringLiteral("ROLLBACK"));
    for (auto it = m_transactionCounts.cbegin(); it != m_transactionCounts.cend(); ++it) {
        recordcounts::forget(it.key());
    }
    m_transactionCounts.clear();
    m_inTransaction = false;
    m_cachedCount = -1;
}

} // namespace kucun
