#pragma once

#include "store/Session.h"

struct pg_conn;
struct pg_result;

namespace kucun::pg {

// Rows the server sent, read as the table files' rows read: a text or a
// date-time is text, a whole number qint64, a boolean 1 or 0.
class ServerRows : public sql::Rows
{
public:
    ~ServerRows() override;
    bool isValid() const override { return true; }
    bool failed() const override { return m_failed; }
    int columnCount() const override;
    qint64 int64At(int column) const override;
    double doubleAt(int column) const override;
    QVariant valueAt(int column) const override;
    bool isTextAt(int column) const override;
    bool isNullAt(int column) const override;
    std::string_view utf8At(int column) const override;

protected:
    // The result the current row is read from, and that row in it.
    pg_result *m_result = nullptr;
    int m_row = -1;
    bool m_failed = false;
};

// Every row of a statement, sent at once: for statements of a few rows.
class AllRows : public ServerRows
{
public:
    explicit AllRows(pg_result *result);
    bool step() override;
};

// The rows of a scan, sent one at a time, so that a million rows never
// sit in memory together. The session takes no other statement until the
// last row is read or the scan is dropped.
class RowStream : public ServerRows
{
public:
    // Started with the statement sent and single-row mode set; the SQLSTATE
    // it ends with goes to `endState`, which outlives the stream.
    RowStream(pg_conn *connection, bool started, QByteArray *endState);
    ~RowStream() override;
    bool step() override;

private:
    void drain();
    pg_conn *m_connection;
    QByteArray *m_endState;
    bool m_ended = false;
};

} // namespace kucun::pg
