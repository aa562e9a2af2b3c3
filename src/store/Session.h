#pragma once

#include "StoreFault.h"

#include <QList>
#include <QString>
#include <QVariant>
#include <memory>
#include <optional>
#include <string_view>

namespace kucun::sql {

// The rows one statement gives, read one at a time. Columns count from 0 in
// the order the statement names them.
class Rows
{
public:
    virtual ~Rows() = default;

    // The statement was understood; a step that fails sets failed().
    virtual bool isValid() const = 0;
    // Steps once: true while a row is available.
    virtual bool step() = 0;
    virtual bool failed() const = 0;

    virtual int columnCount() const = 0;
    virtual qint64 int64At(int column) const = 0;
    // The column as a number; an absent value is 0.
    virtual double doubleAt(int column) const = 0;
    // A text as a QString, a whole number as qint64, any other number as a
    // double; an absent value is invalid.
    virtual QVariant valueAt(int column) const = 0;
    virtual bool isTextAt(int column) const = 0;
    virtual bool isNullAt(int column) const = 0;
    // The UTF-8 bytes of a text value, valid until the next step.
    virtual std::string_view utf8At(int column) const = 0;
    QString textAt(int column) const;
};

// A column of a table, as the store declares it.
struct DeclaredColumn
{
    QString name;
    QString declaredType;
    // The row's identity itself (the log's own id), not a field.
    bool isRowId = false;
};

// A session with the database that holds a book's tables: a table file with
// the files attached to it, or a schema on a server. Statements are written
// once for both; what the two say differently is answered here.
class Session
{
public:
    virtual ~Session() = default;

    // Prepares the statement, binding the values to its ? marks in order.
    virtual std::unique_ptr<Rows> query(const QString &statement,
                                        const QVariantList &values = {}) = 0;
    // The same for a scan over many rows, which are read once each, in
    // order; no other statement runs on the session until it is dropped.
    virtual std::unique_ptr<Rows> stream(const QString &statement, const QVariantList &values = {})
    {
        return query(statement, values);
    }
    virtual bool exec(const QString &statement) = 0;
    // The records the last statement inserted, changed or deleted.
    virtual qint64 changes() const = 0;
    // The fault of the call that failed last.
    virtual StoreFault lastFault() const = 0;
    // The identity of the record inserted last.
    virtual qint64 lastInsertId() = 0;
    // Starts a transaction that holds the right to write from its start.
    virtual bool beginWriting() = 0;

    // The columns of a table in order: `database` is "main" or the alias of
    // an attached file. Nothing when the table can't be read.
    virtual std::optional<QList<DeclaredColumn>> columnsOf(const QString &database,
                                                           const QString &table) = 0;
    // Whether an index of the table leads with the field.
    virtual bool hasIndexLeadingWith(const QString &table, const QString &field) = 0;
    // The words after a table's name that make a scan read it straight
    // through rather than by an index; empty where the store takes no hint.
    virtual QString straightThroughHint() const = 0;
    // The name a statement gives a table attached under an alias.
    virtual QString qualifiedName(const QString &alias, const QString &table) const;
    // The key its record count is remembered under (recordcounts) for a
    // table the session found by name; empty where the store keeps tables
    // in files, which are known by their paths.
    virtual QString countKey(const QString &) const { return {}; }
    // Joins another table file under an alias, where the store is files.
    virtual bool attach(const QString &path, const QString &alias, const QString &key,
                        StoreFault *fault) = 0;
    virtual void detach(const QString &alias) = 0;
};

} // namespace kucun::sql
