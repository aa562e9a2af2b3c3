#include "ServerSession.h"

#include "ServerLink.h"
#include "ServerRows.h"
#include "ServerSchema.h"
#include "ServerSql.h"
#include "store/RecordCounts.h"
#include "store/SqlCipher.h"

#include <libpq-fe.h>
#include <vector>

namespace kucun::pg {

namespace {

// Writers take this lock first, so that they follow one another as they do
// on the files: a stock check and its change see no other change between them.
constexpr const char *writersLock = "SELECT pg_advisory_xact_lock(6042130)";

// Connections left idle by closed sessions, by connection string: the
// program opens a table for every operation, and a new login costs far more
// than the operation. Used from one thread, like the tables.
std::vector<std::unique_ptr<Connection>> &idleConnections()
{
    static std::vector<std::unique_ptr<Connection>> idle;
    return idle;
}

} // namespace

StoreFault faultOfState(const QByteArray &state)
{
    if (state.isEmpty()) {
        return StoreFault::None;
    }
    // Lock not available, deadlock, serialization failure, query cancelled.
    if (state == "55P03" || state == "40P01" || state == "40001" || state == "57014") {
        return StoreFault::Busy;
    }
    // Read-only transaction, insufficient privilege.
    if (state == "25006" || state == "42501") {
        return StoreFault::ReadOnly;
    }
    // Connection exceptions, and a server shutting down.
    if (state.startsWith("08") || state.startsWith("57P")) {
        return StoreFault::Unavailable;
    }
    return StoreFault::WriteFailed;
}

std::unique_ptr<ServerSession> openServerSession(const QString &conninfo, QString *failure)
{
    auto &idle = idleConnections();
    for (auto it = idle.begin(); it != idle.end(); ++it) {
        if ((*it)->conninfo() == conninfo) {
            std::unique_ptr<Connection> kept = std::move(*it);
            idle.erase(it);
            if (kept->isAlive()) {
                return std::make_unique<ServerSession>(std::move(kept));
            }
            break;
        }
    }
    std::unique_ptr<Connection> connection = Connection::open(conninfo, failure);
    if (!connection) {
        ServerLink::instance().noteLost();
        return nullptr;
    }
    ServerLink::instance().noteReached();
    return std::make_unique<ServerSession>(std::move(connection));
}

ServerSession::ServerSession(std::unique_ptr<Connection> connection)
    : m_connection(std::move(connection))
{
}

ServerSession::~ServerSession()
{
    // Only a connection with no statement or transaction left open is kept.
    constexpr size_t keptAtMost = 4;
    if (m_connection->isIdle() && idleConnections().size() < keptAtMost) {
        idleConnections().push_back(std::move(m_connection));
    }
}

void ServerSession::noteEnd(const Result &result, bool changes)
{
    m_lastState = result.ok() ? QByteArray() : result.sqlState().toLatin1();
    if (!result.ok() && m_lastState.isEmpty()) {
        m_lastState = "08006"; // no answer at all: the connection is gone
    }
    if (faultOfState(m_lastState) == StoreFault::Unavailable) {
        // The idle connections went with the server: the next action logs in
        // anew. Others may have changed the book meanwhile.
        idleConnections().clear();
        recordcounts::forgetServerTable(QString());
        ServerLink::instance().noteLost();
    }
    // As on the files, a query leaves the count of the last change alone.
    if (!result.ok() || changes || PQresultStatus(result.handle()) == PGRES_COMMAND_OK) {
        m_changes = result.ok() ? result.changes() : 0;
    }
}

std::unique_ptr<sql::Rows> ServerSession::query(const QString &statement,
                                                const QVariantList &values)
{
    // An insert hands back the ids it gave: lastval() would need a right on
    // each table's id sequence that a role made only to book doesn't have.
    QString sent = serverStatement(statement);
    const bool inserts = sent.startsWith(QLatin1String("INSERT"), Qt::CaseInsensitive);
    if (inserts) {
        sent += QStringLiteral(" RETURNING \"id\"");
    }
    const ParameterTexts parameters(values);
    Result result(PQexecParams(m_connection->handle(), sent.toUtf8().constData(),
                               parameters.count(), nullptr, parameters.values(), nullptr, nullptr,
                               0));
    noteEnd(result, inserts);
    if (inserts && result.ok() && result.rowCount() > 0) {
        m_lastInsertId = result.textAt(result.rowCount() - 1, 0).toLongLong();
    }
    return std::make_unique<AllRows>(result.release());
}

std::unique_ptr<sql::Rows> ServerSession::stream(const QString &statement,
                                                 const QVariantList &values)
{
    const ParameterTexts parameters(values);
    PGconn *connection = m_connection->handle();
    const bool started =
        PQsendQueryParams(connection, serverStatement(statement).toUtf8().constData(),
                          parameters.count(), nullptr, parameters.values(), nullptr, nullptr,
                          0) == 1 &&
        PQsetSingleRowMode(connection) == 1;
    m_lastState = started ? QByteArray() : QByteArray("08006");
    return std::make_unique<RowStream>(connection, started, &m_lastState);
}

bool ServerSession::exec(const QString &statement)
{
    return query(statement)->isValid() && m_lastState.isEmpty();
}

StoreFault ServerSession::lastFault() const
{
    const StoreFault fault = faultOfState(m_lastState);
    if (fault == StoreFault::Unavailable) {
        const QString reason = m_connection->lastError();
        return StoreFault::serverLost(reason.isEmpty() ? QStringLiteral("连接已断开") : reason);
    }
    return fault;
}

qint64 ServerSession::lastInsertId()
{
    return m_lastInsertId;
}

bool ServerSession::beginWriting()
{
    if (!exec(QStringLiteral("BEGIN"))) {
        return false;
    }
    if (!exec(QString::fromLatin1(writersLock))) {
        const QByteArray why = m_lastState;
        exec(QStringLiteral("ROLLBACK"));
        m_lastState = why;
        return false;
    }
    return true;
}

std::optional<QList<sql::DeclaredColumn>> ServerSession::columnsOf(const QString &,
                                                                   const QString &table)
{
    // From the catalogue itself: its views in information_schema take the
    // server longer to plan than the statements of a booking take to run.
    const auto columns =
        query(QStringLiteral("SELECT attname, format_type(atttypid, atttypmod), attidentity <> '' "
                             "FROM pg_catalog.pg_attribute WHERE attrelid = to_regclass(?) AND "
                             "attnum > 0 AND NOT attisdropped ORDER BY attnum"),
              {qualifiedName(serverSchema, table)});
    // The server's types under the names the files declare, so that a field
    // reads as the same kind from either.
    static const QHash<QString, QString> declared{
        {QStringLiteral("text"), QStringLiteral("TEXT")},
        {QStringLiteral("double precision"), QStringLiteral("REAL")},
        {QStringLiteral("bigint"), QStringLiteral("INTEGER")},
        {QStringLiteral("integer"), QStringLiteral("INTEGER")},
        {QStringLiteral("boolean"), QStringLiteral("BOOLEAN")},
        {QStringLiteral("timestamp without time zone"), QStringLiteral("DATETIME")}};
    QList<sql::DeclaredColumn> found;
    while (columns->step()) {
        const QString type = columns->textAt(1);
        found.append({columns->textAt(0), declared.value(type, type),
                      columns->textAt(2) == QLatin1String("t")});
    }
    if (columns->failed() || found.isEmpty()) {
        return std::nullopt;
    }
    return found;
}

QString ServerSession::countKey(const QString &table) const
{
    return recordcounts::serverKey(m_connection->conninfo(), table);
}

QString ServerSession::qualifiedName(const QString &, const QString &table) const
{
    return sql::quoteIdentifier(serverSchema) + QLatin1Char('.') + sql::quoteIdentifier(table);
}

bool ServerSession::attach(const QString &, const QString &alias, const QString &,
                           StoreFault *fault)
{
    const bool there = columnsOf(serverSchema, alias).has_value();
    if (fault) {
        *fault = there ? StoreFault::None : StoreFault::Unavailable;
    }
    return there;
}

} // namespace kucun::pg
