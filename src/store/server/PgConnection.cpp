#include "PgConnection.h"

#include <QDateTime>
#include <QMutex>
#include <QSet>
#include <QStringList>
#include <algorithm>
#include <libpq-fe.h>
#include <utility>
#include <vector>

namespace kucun::pg {

Result::Result(pg_result *result) : m_result(result) {}

Result::~Result()
{
    PQclear(m_result);
}

Result::Result(Result &&other) noexcept : m_result(std::exchange(other.m_result, nullptr)) {}

Result &Result::operator=(Result &&other) noexcept
{
    if (this != &other) {
        PQclear(m_result);
        m_result = std::exchange(other.m_result, nullptr);
    }
    return *this;
}

bool Result::ok() const
{
    const ExecStatusType status = PQresultStatus(m_result);
    return status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK;
}

int Result::rowCount() const
{
    return PQntuples(m_result);
}

int Result::columnCount() const
{
    return PQnfields(m_result);
}

bool Result::isNullAt(int row, int column) const
{
    return PQgetisnull(m_result, row, column) == 1;
}

std::string_view Result::utf8At(int row, int column) const
{
    return {PQgetvalue(m_result, row, column), size_t(PQgetlength(m_result, row, column))};
}

QString Result::textAt(int row, int column) const
{
    const std::string_view utf8 = utf8At(row, column);
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

QString Result::error() const
{
    const char *message = PQresultErrorField(m_result, PG_DIAG_MESSAGE_PRIMARY);
    return QString::fromUtf8(message ? message : PQresultErrorMessage(m_result)).trimmed();
}

QString Result::sqlState() const
{
    return QString::fromLatin1(PQresultErrorField(m_result, PG_DIAG_SQLSTATE));
}

qint64 Result::changes() const
{
    return QByteArray(PQcmdTuples(m_result)).toLongLong();
}

namespace {

// The server processes of this program's open connections, which more
// than one thread may open. Never freed: connections kept idle in other
// statics close after it at exit.
struct OwnBackends
{
    QMutex lock;
    QSet<int> pids;
};

OwnBackends &ownBackends()
{
    static auto *backends = new OwnBackends;
    return *backends;
}

void noteOwnBackend(int pid, bool open)
{
    OwnBackends &own = ownBackends();
    const QMutexLocker locked(&own.lock);
    open ? void(own.pids.insert(pid)) : void(own.pids.remove(pid));
}

} // namespace

std::unique_ptr<Connection> Connection::open(const QString &conninfo, QString *failure,
                                             bool *wantsPassword)
{
    char *error = nullptr;
    PQconninfoFree(PQconninfoParse(conninfo.toUtf8().constData(), &error));
    if (error) {
        if (failure) {
            *failure = QString::fromUtf8(error).trimmed();
        }
        PQfreemem(error);
        return nullptr;
    }
    if (!isProtected(conninfo)) {
        if (failure) {
            *failure = QStringLiteral("连接须加密（sslmode=require）");
        }
        return nullptr;
    }
    // A server out of reach is given up after ten seconds, not the network's
    // minutes; a connect_timeout in the string is taken over this one.
    const QByteArray expanded = conninfo.toUtf8();
    const char *const keywords[] = {"connect_timeout", "dbname", nullptr};
    const char *const values[] = {"10", expanded.constData(), nullptr};
    PGconn *connection = PQconnectdbParams(keywords, values, 1);
    if (PQstatus(connection) != CONNECTION_OK) {
        if (failure) {
            *failure = QString::fromUtf8(PQerrorMessage(connection)).trimmed();
        }
        if (wantsPassword) {
            *wantsPassword = PQconnectionNeedsPassword(connection) == 1;
        }
        PQfinish(connection);
        return nullptr;
    }
    std::unique_ptr<Connection> opened(new Connection(connection, conninfo));
    noteOwnBackend(PQbackendPID(connection), true);
    // Texts go both ways as UTF-8; dates read back as the files store them.
    if (!opened->execScript(QStringLiteral("SET client_encoding = 'UTF8'; "
                                           "SET DateStyle = 'ISO, YMD'; "
                                           "SET extra_float_digits = 1; "
                                           "SET search_path = kucun; "
                                           "SET lock_timeout = '5s'"),
                            failure)) {
        return nullptr;
    }
    return opened;
}

Connection::~Connection()
{
    noteOwnBackend(PQbackendPID(m_connection), false);
    PQfinish(m_connection);
}

Result Connection::exec(const QString &sql, const QVariantList &values)
{
    const ParameterTexts parameters(values);
    return Result(PQexecParams(m_connection, sql.toUtf8().constData(), parameters.count(), nullptr,
                               parameters.values(), nullptr, nullptr, 0));
}

bool Connection::execScript(const QString &sql, QString *failure)
{
    const Result result(PQexec(m_connection, sql.toUtf8().constData()));
    if (!result.ok() && failure) {
        *failure = result.error();
    }
    return result.ok();
}

bool Connection::beginCopy(const QString &statement, QString *failure)
{
    const Result result(PQexec(m_connection, statement.toUtf8().constData()));
    if (PQresultStatus(result.handle()) == PGRES_COPY_IN) {
        return true;
    }
    if (failure) {
        *failure = result.error();
    }
    return false;
}

bool Connection::sendCopyData(const QByteArray &rows, QString *failure)
{
    if (PQputCopyData(m_connection, rows.constData(), int(rows.size())) == 1) {
        return true;
    }
    if (failure) {
        *failure = lastError();
    }
    return false;
}

bool Connection::endCopy(QString *failure, const QString &abandonedBecause)
{
    const QByteArray reason = abandonedBecause.toUtf8();
    bool ended = PQputCopyEnd(m_connection, reason.isEmpty() ? nullptr : reason.constData()) == 1;
    QString why = ended ? QString() : lastError();
    // The COPY's own result, then the end of the command.
    while (pg_result *answer = PQgetResult(m_connection)) {
        const Result result(answer);
        if (!result.ok()) {
            ended = false;
            why = why.isEmpty() ? result.error() : why;
        }
    }
    if (!ended && failure) {
        *failure = why;
    }
    return ended;
}

bool Connection::isAlive() const
{
    return PQstatus(m_connection) == CONNECTION_OK;
}

bool Connection::isIdle() const
{
    return isAlive() && PQtransactionStatus(m_connection) == PQTRANS_IDLE;
}

QString Connection::userAtHost() const
{
    return QString::fromUtf8(PQuser(m_connection)) + QLatin1Char('@') +
           QString::fromUtf8(PQhost(m_connection));
}

QString Connection::lastError() const
{
    return QString::fromUtf8(PQerrorMessage(m_connection)).trimmed();
}

bool servesThisProgram(int backendPid)
{
    OwnBackends &own = ownBackends();
    const QMutexLocker locked(&own.lock);
    return own.pids.contains(backendPid);
}

bool isProtected(const QString &conninfo)
{
    char *error = nullptr;
    PQconninfoOption *options = PQconninfoParse(conninfo.toUtf8().constData(), &error);
    if (!options) {
        PQfreemem(error);
        return false;
    }
    QString host;
    QString hostAddress;
    QString sslMode;
    for (PQconninfoOption *option = options; option->keyword; ++option) {
        const QString value = QString::fromUtf8(option->val ? option->val : "");
        const QLatin1String keyword(option->keyword);
        if (keyword == QLatin1String("host")) {
            host = value;
        } else if (keyword == QLatin1String("hostaddr")) {
            hostAddress = value;
        } else if (keyword == QLatin1String("sslmode")) {
            sslMode = value;
        }
    }
    PQconninfoFree(options);
    if (sslMode == QLatin1String("require") || sslMode == QLatin1String("verify-ca") ||
        sslMode == QLatin1String("verify-full")) {
        return true;
    }
    // Without a host libpq takes the local socket, unless PGHOST names one.
    if (host.isEmpty() && hostAddress.isEmpty()) {
        host = qEnvironmentVariable("PGHOST");
    }
    if (!hostAddress.isEmpty()) {
        return false;
    }
    // A host that is a folder is a Unix socket; several hosts must all be.
    const QStringList hosts = host.split(QLatin1Char(','));
    return std::all_of(hosts.cbegin(), hosts.cend(), [](const QString &one) {
        return one.isEmpty() || one.startsWith(QLatin1Char('/')) ||
               one.startsWith(QLatin1Char('@'));
    });
}

ClientLogin clientLogin(const QString &conninfo)
{
    PQconninfoOption *options = PQconninfoParse(conninfo.toUtf8().constData(), nullptr);
    if (!options) {
        return {};
    }
    ClientLogin login;
    QStringList settings;
    for (PQconninfoOption *option = options; option->keyword; ++option) {
        if (!option->val) {
            continue;
        }
        const QString value = QString::fromUtf8(option->val);
        if (QLatin1String(option->keyword) == QLatin1String("password")) {
            login.password = value;
            continue;
        }
        QString quoted = value;
        quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
            .replace(QLatin1Char('\''), QStringLiteral("\\'"));
        settings << QStringLiteral("%1='%2'").arg(QString::fromUtf8(option->keyword), quoted);
    }
    PQconninfoFree(options);
    login.conninfo = settings.join(QLatin1Char(' '));
    return login;
}

namespace {

std::optional<QByteArray> parameterText(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::UnknownType:
    case QMetaType::Nullptr:
        return std::nullopt;
    case QMetaType::Double:
    case QMetaType::Float:
        return QByteArray::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
    case QMetaType::Bool:
        return QByteArray(value.toBool() ? "1" : "0");
    case QMetaType::QDateTime:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toUtf8();
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("yyyy-MM-dd")).toUtf8();
    default:
        return value.toString().toUtf8();
    }
}

} // namespace

ParameterTexts::ParameterTexts(const QVariantList &values)
{
    m_texts.reserve(size_t(values.size()));
    for (const QVariant &value : values) {
        m_texts.push_back(parameterText(value));
        m_pointers.push_back(m_texts.back() ? m_texts.back()->constData() : nullptr);
    }
}

} // namespace kucun::pg
