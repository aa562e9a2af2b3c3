#pragma once

#include "StoreFault.h"

#include <QString>
#include <QVariant>
#include <memory>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace kucun::sql {

// One prepared statement; finalised when it goes out of scope.
class Statement
{
public:
    // Prepares the statement and binds the values to its marks in order.
    Statement(sqlite3 *db, const QString &sql, const QVariantList &values = {});
    ~Statement();
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    bool isValid() const { return m_stmt != nullptr; }
    QString error() const;

    void bind(int index, const QVariant &value);
    // Steps once: true while a row is available. A failure sets failed().
    bool step();
    bool failed() const { return m_failed; }
    void reset();

    int columnCount() const;
    qint64 int64At(int column) const;
    // The column as a number; an absent value is 0.
    double doubleAt(int column) const;
    QVariant valueAt(int column) const;
    QString textAt(int column) const;
    bool isTextAt(int column) const;
    bool isNullAt(int column) const;
    // The stored UTF-8 bytes of a text value, valid until the next step.
    std::string_view utf8At(int column) const;

private:
    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_stmt = nullptr;
    bool m_failed = false;
    int m_resultCode = 0;
};

// An encrypted database connection keyed with the table password.
class Connection
{
public:
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    // Opens an existing file read-write; never creates one. Returns nullptr
    // when the file is missing, the key is wrong or the file is no database;
    // `fault` then says which (Busy when another program held it too long).
    static std::unique_ptr<Connection> openExisting(const QString &path, const QString &key,
                                                    StoreFault *fault = nullptr);
    // Creates a new file (fails when it exists) keyed with the given password.
    static std::unique_ptr<Connection> create(const QString &path, const QString &key);

    sqlite3 *handle() const { return m_db; }
    bool exec(const QString &sql);
    QString lastError() const;
    // The fault of the call that failed last on this connection.
    StoreFault lastFault() const;
    // The records the last statement inserted, changed or deleted.
    qint64 changes() const;
    // Joins another file under an alias; `fault` says why when it fails.
    bool attach(const QString &path, const QString &alias, const QString &key,
                StoreFault *fault = nullptr);

private:
    explicit Connection(sqlite3 *db) : m_db(db) {}
    static std::unique_ptr<Connection> openWithFlags(const QString &path, const QString &key,
                                                     int flags, StoreFault *fault);
    sqlite3 *m_db = nullptr;
};

QString quoteIdentifier(const QString &name);
// "?,?,?": the parameter marks of `count` values.
QString placeholders(int count);

} // namespace kucun::sql
