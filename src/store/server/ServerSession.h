#pragma once

#include "PgConnection.h"
#include "store/Session.h"

#include <QByteArray>
#include <memory>

namespace kucun::pg {

// The session of a book kept on a PostgreSQL server, in schema kucun: the
// table store's statements in the server's words. Every table of the book
// is in the one schema, so attaching a table only finds it.
class ServerSession : public sql::Session
{
public:
    explicit ServerSession(std::unique_ptr<Connection> connection);
    // Gives an idle connection back for the next session to the same server.
    ~ServerSession() override;

    std::unique_ptr<sql::Rows> query(const QString &statement,
                                     const QVariantList &values = {}) override;
    std::unique_ptr<sql::Rows> stream(const QString &statement,
                                      const QVariantList &values = {}) override;
    bool exec(const QString &statement) override;
    qint64 changes() const override { return m_changes; }
    StoreFault lastFault() const override;
    qint64 lastInsertId() override;
    bool beginWriting() override;
    std::optional<QList<sql::DeclaredColumn>> columnsOf(const QString &database,
                                                        const QString &table) override;
    bool hasIndexLeadingWith(const QString &, const QString &) override { return false; }
    QString straightThroughHint() const override { return {}; }
    QString qualifiedName(const QString &alias, const QString &table) const override;
    bool attach(const QString &path, const QString &alias, const QString &key,
                StoreFault *fault = nullptr) override;
    void detach(const QString &) override {}
    QString countKey(const QString &table) const override;

private:
    // Notes how the statement ended: its SQLSTATE and, for a statement that
    // changes records (or returns the ids of those it added), how many.
    void noteEnd(const Result &result, bool changes = false);

    std::unique_ptr<Connection> m_connection;
    QByteArray m_lastState;
    qint64 m_changes = 0;
    qint64 m_lastInsertId = 0;
};

// A session with the server book at conninfo: an idle connection kept from
// an earlier session when there is one, else a new one. Null when the
// server can't be reached or refuses the login, with the reason in `failure`.
std::unique_ptr<ServerSession> openServerSession(const QString &conninfo,
                                                 QString *failure = nullptr);

// The fault a failed statement stands for, by its SQLSTATE: a lock not had
// in time is Busy, a lost server Unavailable.
StoreFault faultOfState(const QByteArray &state);

} // namespace kucun::pg
