#include "ServerRows.h"

#include <charconv>
#include <libpq-fe.h>

namespace kucun::pg {

namespace {

// Type ids of the server's built-in types (pg_type.oid).
constexpr Oid booleanType = 16;
constexpr Oid bigintType = 20;
constexpr Oid smallintType = 21;
constexpr Oid integerType = 23;
constexpr Oid textType = 25;
constexpr Oid timestampType = 1114;

} // namespace

ServerRows::~ServerRows()
{
    PQclear(m_result);
}

int ServerRows::columnCount() const
{
    return PQnfields(m_result);
}

bool ServerRows::isNullAt(int column) const
{
    return PQgetisnull(m_result, m_row, column) == 1;
}

std::string_view ServerRows::utf8At(int column) const
{
    return {PQgetvalue(m_result, m_row, column), size_t(PQgetlength(m_result, m_row, column))};
}

qint64 ServerRows::int64At(int column) const
{
    const std::string_view text = utf8At(column);
    if (PQftype(m_result, column) == booleanType) {
        return text == "t" ? 1 : 0;
    }
    qint64 value = 0;
    if (std::from_chars(text.data(), text.data() + text.size(), value).ec != std::errc()) {
        return qint64(doubleAt(column));
    }
    return value;
}

double ServerRows::doubleAt(int column) const
{
    const std::string_view text = utf8At(column);
    if (PQftype(m_result, column) == booleanType) {
        return text == "t" ? 1 : 0;
    }
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

bool ServerRows::isTextAt(int column) const
{
    const Oid type = PQftype(m_result, column);
    return !isNullAt(column) && (type == textType || type == timestampType);
}

QVariant ServerRows::valueAt(int column) const
{
    if (isNullAt(column)) {
        return {};
    }
    switch (PQftype(m_result, column)) {
    case booleanType:
    case bigintType:
    case integerType:
    case smallintType:
        return QVariant(int64At(column));
    case textType:
    case timestampType:
        return QVariant(textAt(column));
    default:
        return QVariant(doubleAt(column));
    }
}

AllRows::AllRows(pg_result *result)
{
    m_result = result;
    const ExecStatusType status = PQresultStatus(result);
    m_failed = status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK;
}

bool AllRows::step()
{
    if (m_failed || m_row + 1 >= PQntuples(m_result)) {
        return false;
    }
    ++m_row;
    return true;
}

RowStream::RowStream(pg_conn *connection, bool started, QByteArray *endState)
    : m_connection(connection), m_endState(endState), m_ended(!started)
{
    m_failed = !started;
}

RowStream::~RowStream()
{
    if (!m_ended) {
        // Dropped before its end: the server stops sending, and what it
        // sent already is read away, so the session can take the next statement.
        if (PGcancel *cancel = PQgetCancel(m_connection)) {
            char error[256];
            PQcancel(cancel, error, int(sizeof error));
            PQfreeCancel(cancel);
        }
        drain();
    }
}

bool RowStream::step()
{
    if (m_ended) {
        return false;
    }
    PQclear(m_result);
    m_result = PQgetResult(m_connection);
    m_row = 0;
    if (PQresultStatus(m_result) == PGRES_SINGLE_TUPLE) {
        return true;
    }
    m_failed = PQresultStatus(m_result) != PGRES_TUPLES_OK;
    *m_endState =
        m_failed ? QByteArray(PQresultErrorField(m_result, PG_DIAG_SQLSTATE)) : QByteArray();
    drain();
    return false;
}

void RowStream::drain()
{
    m_ended = true;
    while (pg_result *rest = PQgetResult(m_connection)) {
        PQclear(rest);
    }
}

} // namespace kucun::pg
