#include "Table.h"

#include "RecordCounts.h"
#include "SqlCipher.h"
#include "StoreError.h"

#include <QFileInfo>
#include <string>

namespace kucun {

namespace {

// Paths of the table files this process has open: opening one twice fails.
QSet<QString> &openPaths()
{
    static QSet<QString> paths;
    return paths;
}

} // namespace

Table::Table() = default;

Table::~Table()
{
    close();
}

bool Table::open(const QString &fileName, const QString &password, FieldCheck check)
{
    close();
    m_fault = StoreFault::Unavailable;
    const QFileInfo file(tables::fileNameOf(fileName));
    if (!file.isFile()) {
        return false;
    }
    const QString path = file.canonicalFilePath();
    if (openPaths().contains(path)) {
        return false;
    }
    std::unique_ptr<sql::Connection> connection =
        sql::Connection::openExisting(path, password, &m_fault);
    if (!connection) {
        return false;
    }
    if (!adopt(std::move(connection), file.completeBaseName(), check)) {
        return false;
    }
    m_path = path;
    openPaths().insert(path);
    return true;
}

bool Table::open(std::unique_ptr<sql::Session> session, const QString &tableName, FieldCheck check,
                 const StoreFault &unreached)
{
    close();
    if (!session) {
        m_fault = unreached;
        return false;
    }
    if (!adopt(std::move(session), tableName, check)) {
        return false;
    }
    m_path = m_connection->countKey(tableName);
    return true;
}

bool Table::adopt(std::unique_ptr<sql::Session> session, const QString &tableName, FieldCheck check)
{
    m_connection = std::move(session);
    m_schema = readSchema(QStringLiteral("main"), tableName);
    if (!m_schema) {
        noteReadFailure();
        m_connection.reset();
        return false;
    }
    if (check == FieldCheck::Declared && !m_schema->holdsDeclaredFields()) {
        m_fault = StoreFault::wrongLayout(m_schema->tableName(), m_schema->mismatchedField());
        m_schema.reset();
        m_connection.reset();
        return false;
    }
    m_fault = StoreFault::None;
    first();
    // A first record that can't be read must not pass for an empty table.
    if (m_fault != StoreFault::None) {
        const StoreFault fault = m_fault;
        close();
        m_fault = fault;
        return false;
    }
    return true;
}

void Table::close()
{
    if (!m_connection) {
        return;
    }
    openPaths().remove(m_path);
    for (const AttachedTable &attached : std::as_const(m_attached)) {
        openPaths().remove(attached.path);
    }
    m_attached.clear();
    if (m_inTransaction) {
        rollback();
    }
    m_connection.reset();
    m_schema.reset();
    m_path.clear();
    m_current = Record();
    m_cachedCount = -1;
}

std::shared_ptr<const Schema> Table::readSchema(const QString &database,
                                                const QString &tableName) const
{
    const std::optional<QList<sql::DeclaredColumn>> columns =
        m_connection->columnsOf(database, tableName);
    if (!columns) {
        return nullptr;
    }
    // The log's own id (the record identity itself) is not a field: it is
    // neither read nor written as one.
    FieldList fields;
    for (const sql::DeclaredColumn &column : *columns) {
        if (!column.isRowId) {
            fields.append({column.name, kindOfDeclaredType(column.declaredType)});
        }
    }
    return fields.isEmpty() ? nullptr : std::make_shared<const Schema>(tableName, fields);
}

const Schema &Table::schema() const
{
    if (!m_schema) {
        throw StoreError(QStringLiteral("没有打开的表"));
    }
    return *m_schema;
}

QString Table::quotedTable() const
{
    return sql::quoteIdentifier(m_schema->tableName());
}

QString Table::selectColumns() const
{
    return selectColumns(*m_schema);
}

QString Table::selectColumns(const Schema &columns) const
{
    QStringList names{QStringLiteral("rowid")};
    for (const FieldDefinition &field : columns.fields()) {
        names << sql::quoteIdentifier(field.name);
    }
    return QStringLiteral("SELECT %1 FROM %2 ").arg(names.join(QLatin1Char(',')), quotedTable());
}

Record Table::readRow(const sql::Rows &statement)
{
    Record record(m_schema, 0, {});
    readRowInto(statement, record);
    return record;
}

void Table::readRowInto(const sql::Rows &statement, Record &record, RowTexts *previous)
{
    const int count = statement.columnCount();
    record.m_rowId = statement.int64At(0);
    record.m_values.resize(count - 1);
    if (previous) {
        previous->resize(size_t(count));
    }
    for (int column = 1; column < count; ++column) {
        QVariant &value = record.m_values[column - 1];
        if (!statement.isTextAt(column)) {
            value = statement.valueAt(column);
            if (previous) {
                (*previous)[size_t(column)].reset();
            }
            continue;
        }
        const std::string_view utf8 = statement.utf8At(column);
        if (previous) {
            // Records in booking order repeat texts (date, unit) from one row
            // to the next: an unchanged text keeps the value already held.
            std::optional<std::string> &last = (*previous)[size_t(column)];
            if (last && *last == utf8) {
                continue;
            }
            last = std::string(utf8);
        }
        value = QVariant(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
    }
}

void Table::moveToRow(const QString &whereAndOrder, const QVariantList &params)
{
    const auto select = m_connection->query(selectColumns() + whereAndOrder, params);
    m_current = select->step() ? readRow(*select) : Record(m_schema, 0, {});
    if (!select->isValid() || select->failed()) {
        noteReadFailure();
    }
}

void Table::first()
{
    if (!isOpen()) {
        return;
    }
    moveToRow(QStringLiteral("ORDER BY rowid LIMIT 1"), {});
}

qint64 Table::recordCount()
{
    if (!isOpen()) {
        return 0;
    }
    if (m_cachedCount < 0 && !m_inTransaction) {
        m_cachedCount = recordcounts::lookup(m_path).value_or(-1);
    }
    if (m_cachedCount < 0) {
        const auto count =
            m_connection->query(QStringLiteral("SELECT count(*) FROM %1").arg(quotedTable()));
        m_cachedCount = count->step() ? count->int64At(0) : 0;
        if (!m_inTransaction) {
            recordcounts::remember(m_path, m_cachedCount);
        }
    }
    return m_cachedCount;
}

const Record &Table::current() const
{
    if (!isOpen()) {
        throw StoreError(QStringLiteral("没有打开的表"));
    }
    return m_current;
}

bool Table::insertInto(const QString &qualifiedTable, const Schema &schema,
                       const QVariantList &values)
{
    const FieldList &fields = schema.fields();
    QStringList columns;
    QVariantList bound;
    for (int i = 0; i < fields.size(); ++i) {
        columns << sql::quoteIdentifier(fields[i].name);
        bound << (i < values.size() ? values[i] : QVariant());
    }
    const auto insert = m_connection->query(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                                .arg(qualifiedTable, columns.join(QLatin1Char(',')),
                                                     sql::placeholders(int(fields.size()))),
                                            bound);
    insert->step();
    return !insert->failed() || noteFailure();
}

bool Table::countedWriteOf(const QString &path, const std::function<std::optional<qint64>()> &write)
{
    std::optional<qint64> delta;
    const bool written = countedWrite(path, 0, [&write, &delta] {
        delta = write();
        return delta.has_value();
    });
    // The count changed by what the write reports, on top of the 0 above.
    if (written && *delta != 0) {
        if (m_inTransaction) {
            std::optional<qint64> &known = m_transactionCounts[path];
            if (known) {
                *known += *delta;
            }
        } else if (const std::optional<qint64> before = recordcounts::lookup(path)) {
            recordcounts::remember(path, *before + *delta);
        }
    }
    return written;
}

bool Table::countedWrite(const QString &path, qint64 delta, const std::function<bool()> &write)
{
    if (m_inTransaction) {
        if (!write()) {
            return false;
        }
        std::optional<qint64> &known = m_transactionCounts[path];
        if (known) {
            *known += delta;
        }
        return true;
    }
    const std::optional<qint64> before = recordcounts::lookup(path);
    const bool written = write();
    if (written && before) {
        recordcounts::remember(path, *before + delta);
    } else {
        recordcounts::forget(path);
    }
    return written;
}

bool Table::append(const QVariantList &values)
{
    if (!isOpen() ||
        !countedWrite(m_path, 1, [&] { return insertInto(quotedTable(), *m_schema, values); })) {
        return false;
    }
    m_cachedCount = -1;
    moveToRow(QStringLiteral("WHERE rowid = ?"), {m_connection->lastInsertId()});
    return true;
}

std::pair<QString, QVariantList> Table::assignmentsOf(const FieldList &fields,
                                                      const QVariantList &values)
{
    QStringList assignments;
    QVariantList bound;
    for (int i = 0; i < fields.size() && i < values.size(); ++i) {
        if (values[i].isValid()) {
            assignments << sql::quoteIdentifier(fields[i].name) + QStringLiteral(" = ?");
            bound << values[i];
        }
    }
    return {assignments.join(QLatin1Char(',')), bound};
}

bool Table::modify(const QVariantList &values)
{
    if (!isOpen() || atEnd()) {
        return false;
    }
    auto [assignments, bound] = assignmentsOf(m_schema->fields(), values);
    if (assignments.isEmpty()) {
        return true;
    }
    bound << m_current.rowId();
    const auto update = m_connection->query(
        QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?").arg(quotedTable(), assignments), bound);
    if (!countedWrite(m_path, 0, [this, &update] {
            update->step();
            return !update->failed() || noteFailure();
        })) {
        return false;
    }
    moveToRow(QStringLiteral("WHERE rowid = ?"), {m_current.rowId()});
    return true;
}

bool Table::goToId(qint64 recordId)
{
    if (!isOpen()) {
        return false;
    }
    const auto select =
        m_connection->query(selectColumns() + QStringLiteral("WHERE rowid = ?"), {recordId});
    if (!select->step()) {
        return select->isValid() && !select->failed() ? false : noteReadFailure();
    }
    m_current = readRow(*select);
    return true;
}

bool Table::goToPosition(qint64 position)
{
    if (!isOpen() || position < 1) {
        return false;
    }
    moveToRow(QStringLiteral("ORDER BY rowid LIMIT 1 OFFSET ?"), {position - 1});
    return !atEnd();
}

bool Table::attach(const QString &fileName, const QString &password, FieldCheck check)
{
    if (!isOpen()) {
        return false;
    }
    const QFileInfo file(tables::fileNameOf(fileName));
    const QString path = file.canonicalFilePath();
    const QString tableName = file.completeBaseName();
    m_fault = StoreFault::Unavailable;
    if (!file.isFile() || openPaths().contains(path) ||
        !m_connection->attach(path, tableName, password, &m_fault)) {
        return false;
    }
    if (!adoptAttached(path, tableName, check)) {
        return false;
    }
    openPaths().insert(path);
    return true;
}

bool Table::attachTable(const QString &tableName, FieldCheck check)
{
    m_fault = StoreFault::Unavailable;
    return isOpen() && m_connection->attach(QString(), tableName, QString(), &m_fault) &&
           adoptAttached(m_connection->countKey(tableName), tableName, check);
}

bool Table::adoptAttached(const QString &path, const QString &tableName, FieldCheck check)
{
    auto schema = readSchema(tableName, tableName);
    if (schema && (check == FieldCheck::None || schema->holdsDeclaredFields())) {
        m_fault = StoreFault::None;
        m_attached.append({path, std::move(schema)});
        return true;
    }
    if (schema) {
        m_fault = StoreFault::wrongLayout(tableName, schema->mismatchedField());
    } else {
        noteReadFailure();
    }
    m_connection->detach(tableName);
    return false;
}

bool Table::noteFailure()
{
    m_fault = m_connection ? m_connection->lastFault() : StoreFault::Unavailable;
    if (m_fault == StoreFault::None) {
        m_fault = StoreFault::WriteFailed;
    }
    return false;
}

bool Table::noteReadFailure()
{
    // A read fails for a busy table or a lost one; a lost server keeps its reason.
    const StoreFault why = m_connection ? m_connection->lastFault() : StoreFault::Unavailable;
    m_fault =
        why == StoreFault::Busy || why == StoreFault::Unavailable ? why : StoreFault::Unavailable;
    return false;
}

bool Table::findTexts(const QList<std::pair<QString, QString>> &fieldEqualsText)
{
    if (!isOpen() || atEnd()) {
        return false;
    }
    for (const auto &equality : fieldEqualsText) {
        m_schema->indexOf(equality.first);
    }
    const RecordFilter filter = RecordFilter::textsEqual(fieldEqualsText);
    const auto select =
        m_connection->query(selectColumns() + QStringLiteral("WHERE rowid >= ? AND (") +
                                filter.sqlCondition + QStringLiteral(") ORDER BY rowid LIMIT 1"),
                            QVariantList{m_current.rowId()} + filter.parameters);
    m_current = select->step() ? readRow(*select) : Record(m_schema, 0, {});
    return select->isValid() && !select->failed() ? !atEnd() : noteReadFailure();
}

} // namespace kucun
