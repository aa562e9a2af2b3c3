#pragma once

#include "Record.h"
#include "RecordFilter.h"
#include "StoreFault.h"
#include "StoredRow.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QVariantList>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kucun {

namespace sql {
class Session;
class Rows;
} // namespace sql

// Whether open and attach check the fields of a table the program knows
// (tables::fieldsOf): each must be there and read as its kind, or the table
// does not open (StoreFault::WrongLayout). Only code that locks or copies
// whole files, and reads no field, goes without.
enum class FieldCheck
{
    Declared,
    None,
};

// A record cursor over one table file. open() makes the first record
// current; the reads, modify and delete act on the current record. Records
// come in record order (rowid order); each keeps its identity (rowid) for
// good. Destroying the cursor closes the table.
class Table
{
public:
    Table();
    ~Table();
    Table(const Table &) = delete;
    Table &operator=(const Table &) = delete;

    // Opens a table file read-write, by its full path; a path without an
    // extension gets ".edb". The table inside carries the file's base name. Fails for a missing
    // file, a wrong password, a file that is no table file or lacks its table, a file this process
    // has open, and a table whose fields fail the check, and a first record that can't be read.
    bool open(const QString &fileName, const QString &password,
              FieldCheck check = FieldCheck::Declared);
    // Opens a table of a book on a server, through a session of its own. No
    // session (the server was not reached) fails with `unreached`.
    bool open(std::unique_ptr<sql::Session> session, const QString &tableName,
              FieldCheck check = FieldCheck::Declared,
              const StoreFault &unreached = StoreFault::Unavailable);
    bool isOpen() const { return m_connection != nullptr; }
    void close();
    // Why the last open, attach, read, write or transaction step that
    // failed did; None from a successful open or attach until a step fails.
    StoreFault fault() const { return m_fault; }

    const Schema &schema() const;

    void first();
    // True when no record is current: reads then yield empty values.
    bool atEnd() const { return !m_current.isValid(); }
    qint64 recordCount();
    // Makes the record with this identity (Record::rowId) current.
    bool goToId(qint64 recordId);
    // Makes the record at this 1-based position in record order current.
    bool goToPosition(qint64 position);

    const Record &current() const;
    QString text(const QString &field) const { return current().text(field); }
    double number(const QString &field) const { return current().number(field); }
    bool logical(const QString &field) const { return current().logical(field); }
    QDateTime dateTime(const QString &field) const { return current().dateTime(field); }

    // Values in field order; a missing (invalid) value stores the field's
    // empty value. The new record becomes current.
    bool append(const QVariantList &values);
    // Values in field order; a missing (invalid) value leaves that field.
    bool modify(const QVariantList &values);
    // Makes current the first record from the current one forward whose
    // texts equal these exactly (an absent text equals the empty text).
    // Moving and finding fail for a file that can't be read as well as for
    // no such record; fault() then says why.
    bool findTexts(const QList<std::pair<QString, QString>> &fieldEqualsText);

    // Calls visit, in record order, for every record of the table that
    // satisfies the filter; the cursor stays where it was. False, with the
    // fault (Busy, Unavailable), when the file fails to answer part way
    // (busy past the wait, damaged): the records visited are not all.
    [[nodiscard]] bool forEachMatching(const RecordFilter &filter,
                                       const std::function<void(const Record &)> &visit);
    // The same, reading only the listed fields: the records visit sees hold
    // just those, which keeps a scan of a big table to what it needs.
    [[nodiscard]] bool forEachMatching(const RecordFilter &filter, const QStringList &fields,
                                       const std::function<void(const Record &)> &visit);

    // Which records of this table a scan joined with an attached table visits.
    enum class Join
    {
        Every,   // each one, with or without a record of the attached table
        Matched, // only those the attached table has a record for
    };
    // The order a scan visits its records in.
    enum class Order
    {
        ByRecord, // record order, as booked
        Any,      // as the file hands them out: for a visit that only adds up
    };
    // Calls visit, in record order (or any, if asked), for each record of this table that
    // satisfies the filter, joined in one statement with the record of the
    // attached table whose `idField` holds its identity (Record::rowId), so
    // that an index on idField finds each one. The record visit sees holds
    // `fields` of this table, then `joinedFields` of the attached one, which
    // are absent (Record::isAbsentAt) where no record matches. False, with
    // the fault, when a file fails to answer part way.
    [[nodiscard]] bool forEachJoined(const RecordFilter &filter, const QStringList &fields,
                                     const QString &attachedTable, const QString &idField,
                                     const QStringList &joinedFields, Join join,
                                     const std::function<void(const Record &)> &visit,
                                     Order order = Order::ByRecord);

    // The same two scans, visiting each row as the file holds it: for reads
    // over many rows that turn few of their texts into QStrings.
    [[nodiscard]] bool forEachMatching(const RecordFilter &filter, const QStringList &fields,
                                       const std::function<void(const StoredRow &)> &visit);
    [[nodiscard]] bool forEachJoined(const RecordFilter &filter, const QStringList &fields,
                                     const QString &attachedTable, const QString &idField,
                                     const QStringList &joinedFields, Join join,
                                     const std::function<void(const StoredRow &)> &visit,
                                     Order order = Order::ByRecord);
    // The total of `added` minus the total of `taken` (an absent number
    // counts as 0) for each distinct combination of the texts of
    // `textFields`, over the records that satisfy the filter. An absent text
    // counts as the empty text, so both land in one combination. Nothing
    // when the file fails to answer; fault() then says why.
    struct TextsTotal
    {
        QStringList texts;
        double total = 0;
    };
    // The table is this one, or an attached one named.
    std::optional<std::vector<TextsTotal>> totalsByTexts(const RecordFilter &filter,
                                                         const QStringList &textFields,
                                                         const QString &added, const QString &taken,
                                                         const QString &table = QString());
    // Another table file joined to this one, so that one transaction can
    // change both: a stock change and its movement record are written
    // together or not at all. Fails like open() does.
    bool attach(const QString &fileName, const QString &password,
                FieldCheck check = FieldCheck::Declared);
    // Joins another table of the same server book, as attach joins a file.
    bool attachTable(const QString &tableName, FieldCheck check = FieldCheck::Declared);
    // Appends a record to an attached table; values in its field order.
    bool appendTo(const QString &attachedTable, const QVariantList &values);
    // Deletes, with one statement, every record of this table or of an
    // attached one that satisfies the filter. Meant for a transaction, so
    // that a change across files is all or nothing.
    bool removeMatching(const QString &table, const RecordFilter &filter);
    // Whether this table or an attached one bears the name.
    bool holds(const QString &table) const;
    // Calls visit, in record order, for every record of this table or of an
    // attached one that satisfies the filter, with all its fields. False,
    // with the fault, when the file fails to answer part way.
    [[nodiscard]] bool forEachIn(const QString &table, const RecordFilter &filter,
                                 const std::function<void(const Record &)> &visit);
    // Sets, with one statement, the fields given a valid value (in field
    // order) of every record of this table or an attached one that satisfies
    // the filter. How many records it changed, or nothing when it failed.
    std::optional<qint64> modifyMatching(const QString &table, const RecordFilter &filter,
                                         const QVariantList &values);
    // The identity (rowid) of the record appended last on this connection,
    // to this table or an attached one.
    qint64 lastAppendedId() const;
    // Forgets the fault of a step whose failure the caller has dealt with
    // (an attach it can do without), so that later steps report their own.
    void clearFault() { m_fault = StoreFault::None; }
    bool beginTransaction();
    bool commit();
    void rollback();

private:
    // "field = ?" for each valid value, in field order, and the values to bind.
    static std::pair<QString, QVariantList> assignmentsOf(const FieldList &fields,
                                                          const QVariantList &values);
    std::shared_ptr<const Schema> readSchema(const QString &database,
                                             const QString &tableName) const;
    // Makes the session's table this cursor's, checking its fields.
    bool adopt(std::unique_ptr<sql::Session> session, const QString &tableName, FieldCheck check);
    // Takes a table just attached (from the file at path, if any) as one of this cursor's.
    bool adoptAttached(const QString &path, const QString &tableName, FieldCheck check);
    bool insertInto(const QString &qualifiedTable, const Schema &schema,
                    const QVariantList &values);
    void moveToRow(const QString &whereAndOrder, const QVariantList &params);
    Record readRow(const sql::Rows &statement);
    // The stored texts of the row read last, per column, while scanning.
    using RowTexts = std::vector<std::optional<std::string>>;
    void readRowInto(const sql::Rows &statement, Record &record, RowTexts *previous = nullptr);
    // A scan's statement text and the fields its rows hold after the rowid.
    struct Scan
    {
        QString query;
        std::shared_ptr<const Schema> columns;
    };
    Scan matchingScan(const RecordFilter &filter, const QStringList &fields) const;
    Scan joinedScan(const RecordFilter &filter, const QStringList &fields,
                    const QString &attachedTable, const QString &idField,
                    const QStringList &joinedFields, Join join, Order order) const;
    // Visits every row the scan gives, as a record of its columns or as
    // stored; false, with the fault noted, when the file failed before the end.
    bool visitRows(const Scan &scan, const QVariantList &parameters,
                   const std::function<void(const Record &)> &visit);
    bool visitRows(const Scan &scan, const QVariantList &parameters,
                   const std::function<void(const StoredRow &)> &visit);
    // True when a range filter spans more than a fifth of the field's values.
    bool rangeCoversMuch(const RecordFilter &filter) const;
    // "NOT INDEXED " where reading the table straight through beats the index.
    QString indexChoice(const RecordFilter &filter) const;
    QString selectColumns() const;
    QString selectColumns(const Schema &columns) const;
    QString quotedTable() const;
    // Records the fault of the connection's last failed call; returns false.
    bool noteFailure();
    // The same for a read that failed: busy, or a file that can't be read.
    bool noteReadFailure();

    std::unique_ptr<sql::Session> m_connection;
    std::shared_ptr<const Schema> m_schema;
    // The table file's path, or a server table's key for its count.
    QString m_path;
    Record m_current;
    qint64 m_cachedCount = -1;

    struct AttachedTable
    {
        QString path;
        std::shared_ptr<const Schema> schema;
    };
    QList<AttachedTable> m_attached;
    // The qualified name of this or an attached table, with its file's
    // path; empty when the table is neither.
    std::pair<QString, QString> qualifiedTable(const QString &table) const;
    // The fields of this table or of an attached one; null when neither.
    std::shared_ptr<const Schema> schemaOf(const QString &table) const;

    // Keeps the remembered record counts of the files true across a write
    // that changes the count by delta.
    bool countedWrite(const QString &path, qint64 delta, const std::function<bool()> &write);
    // The same for a write that reports how much it changed the count, or
    // nothing when it failed.
    bool countedWriteOf(const QString &path, const std::function<std::optional<qint64>()> &write);
    bool m_inTransaction = false;
    StoreFault m_fault = StoreFault::None;
    QHash<QString, std::optional<qint64>> m_transactionCounts;
};

} // namespace kucun
