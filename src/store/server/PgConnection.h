#pragma once

#include <QString>
#include <QVariantList>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

struct pg_conn;
struct pg_result;

namespace kucun::pg {

// The answer to one statement, its values in libpq's text form: dates as
// "YYYY-MM-DD HH:MM:SS", numbers as their shortest round-trip text.
class Result
{
public:
    explicit Result(pg_result *result);
    ~Result();
    Result(Result &&other) noexcept;
    Result &operator=(Result &&other) noexcept;
    Result(const Result &) = delete;
    Result &operator=(const Result &) = delete;

    // The statement ran: it changed what it should, or returned its rows.
    bool ok() const;
    int rowCount() const;
    int columnCount() const;
    bool isNullAt(int row, int column) const;
    std::string_view utf8At(int row, int column) const;
    QString textAt(int row, int column) const;
    // The server's message for a failed statement, and its SQLSTATE code.
    QString error() const;
    QString sqlState() const;
    // How many records the command inserted, changed or deleted.
    qint64 changes() const;
    pg_result *handle() const { return m_result; }
    // Hands the result on to whoever frees it.
    pg_result *release() { return std::exchange(m_result, nullptr); }

private:
    pg_result *m_result = nullptr;
};

// One session with a PostgreSQL server, through libpq. Statements take
// their values as parameters ($1, $2, ...), never spliced into the text.
class Connection
{
public:
    // Opens a session from a libpq connection string ("host=... dbname=...
    // user=..."). Nothing, with the server's reason in `failure`, when the
    // server can't be reached, refuses the login, or the string asks for an
    // unprotected connection over a network (isProtected).
    static std::unique_ptr<Connection> open(const QString &conninfo, QString *failure,
                                            bool *wantsPassword = nullptr);
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    Result exec(const QString &sql, const QVariantList &values = {});
    // Runs statements that take no values, one after another, in one go.
    bool execScript(const QString &sql, QString *failure = nullptr);
    // A COPY ... FROM STDIN: starts it, sends its rows in the server's text
    // format in pieces of any size, and ends it, which gives the server's
    // verdict on all of it. Ended with a reason, it is abandoned: the server
    // takes none of its rows. Each false comes with the server's reason.
    bool beginCopy(const QString &statement, QString *failure);
    bool sendCopyData(const QByteArray &rows, QString *failure);
    bool endCopy(QString *failure, const QString &abandonedBecause = QString());
    // True while the session still reaches the server.
    bool isAlive() const;
    // Reaches the server, with no statement running and no transaction open.
    bool isIdle() const;
    const QString &conninfo() const { return m_conninfo; }
    // The login and the server, for the title bar: "shop@192.168.1.10".
    QString userAtHost() const;
    QString lastError() const;
    pg_conn *handle() const { return m_connection; }

private:
    Connection(pg_conn *connection, QString conninfo)
        : m_connection(connection), m_conninfo(std::move(conninfo))
    {
    }
    pg_conn *m_connection = nullptr;
    QString m_conninfo;
};

// Whether a server process serves one of this program's own connections:
// the changes it announces are this program's, known already.
bool servesThisProgram(int backendPid);

// Whether a connection string keeps passwords and figures off the wire in
// clear text: it requires TLS (sslmode require, verify-ca or verify-full),
// or its host is a local Unix socket folder. An empty host means the local
// socket too. False for a string libpq can't read.
bool isProtected(const QString &conninfo);

// A connection string as the client programs (pg_dump, psql) take it on
// their command line, which every user of the computer can read: the same
// settings without the password, which goes to them in PGPASSWORD instead.
// Both empty for a string libpq can't read.
struct ClientLogin
{
    QString conninfo;
    QString password;
};
ClientLogin clientLogin(const QString &conninfo);

// Values as libpq takes them, each as the text it is sent as: numbers in
// their shortest round-trip form, date-times as the files store them, an
// invalid value as SQL NULL. The texts live as long as this object.
class ParameterTexts
{
public:
    explicit ParameterTexts(const QVariantList &values);
    int count() const { return int(m_pointers.size()); }
    const char *const *values() const { return m_pointers.data(); }

private:
    std::vector<std::optional<QByteArray>> m_texts;
    std::vector<const char *> m_pointers;
};

} // namespace kucun::pg
