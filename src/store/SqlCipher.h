#pragma once

#include "Session.h"
#include "StoreFault.h"

#include <QString>
#include <QVariant>
#include <memory>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace kucun::sql {

// One prepared statement; finalised when it goes out of scope.
class Statement : public Rows
{
public:
    // Prepares the statement and binds the values to its marks in order.
    Statement(sqlite3 *db, const QString &sql, const QVariantList &values = {});
    ~Statement() override;
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    bool isValid() const override { return m_stmt != nullptr; }
    QString error() const;

    void bind(int index, const QVariant &value);
    bool step() override;
    bool failed() const override { return m_failed; }
    void reset();

    int columnCount() const override;
    qint64 int64At(int column) const override;
    double doubleAt(int column) const override;
    QVariant valueAt(int column) const override;
    bool isTextAt(int column) const override;
    bool isNullAt(int column) const override;
    std::string_view utf8At(int column) const override;

private:
    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_stmt = nullptr;
    bool m_failed = false;
    int m_resultCode = 0;
};

// An encrypted database connection keyed with the table password: the
// session of a book kept in table files.
class Connection : public Session
{
public:
    ~Connection() override;
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
    std::unique_ptr<Rows> query(const QString &sql, const QVariantList &values = {}) override;
    bool exec(const QString &sql) override;
    QString lastError() const;
    StoreFault lastFault() const override;
    qint64 changes() const override;
    qint64 lastInsertId() override;
    bool beginWriting() override;
    std::optional<QList<DeclaredColumn>> columnsOf(const QString &database,
                                                   const QString &table) override;
    bool hasIndexLeadingWith(const QString &table, const QString &field) override;
    QString straightThroughHint() const override { return QStringLiteral("NOT INDEXED "); }
    // Joins another file under an alias; `fault` says why when it fails.
    bool attach(const QString &path, const QString &alias, const QString &key,
                StoreFault *fault = nullptr) override;
    void detach(const QString &alias) override;

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
