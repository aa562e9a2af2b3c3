#include "ServerListener.h"

#include "PgConnection.h"
#include "ServerSchema.h"
#include "store/SqlCipher.h"

#include <QSocketNotifier>
#include <libpq-fe.h>

namespace kucun::pg {

namespace {

// Notices that come within this time of the first are handed on together.
constexpr int gatherMs = 100;
constexpr int retryMs = 3000;

} // namespace

ServerListener::ServerListener(QString conninfo, QObject *parent)
    : QObject(parent), m_conninfo(std::move(conninfo))
{
    m_gather.setSingleShot(true);
    m_gather.setInterval(gatherMs);
    connect(&m_gather, &QTimer::timeout, this, &ServerListener::handOn);
    m_retry.setInterval(retryMs);
    connect(&m_retry, &QTimer::timeout, this, [this] {
        if (listen()) {
            m_retry.stop();
            m_notices.insert(QString());
            handOn();
        }
    });
    if (!listen()) {
        m_retry.start();
    }
}

ServerListener::~ServerListener() = default;

bool ServerListener::listen()
{
    m_connection = Connection::open(m_conninfo, nullptr);
    if (!m_connection || !m_connection->execScript(QStringLiteral("LISTEN ") +
                                                   sql::quoteIdentifier(changeChannel))) {
        m_connection.reset();
        return false;
    }
    m_socket = new QSocketNotifier(PQsocket(m_connection->handle()), QSocketNotifier::Read, this);
    connect(m_socket, &QSocketNotifier::activated, this, &ServerListener::readNotices);
    return true;
}

void ServerListener::readNotices()
{
    PGconn *connection = m_connection->handle();
    if (PQconsumeInput(connection) != 1 || PQstatus(connection) != CONNECTION_OK) {
        dropConnection();
        return;
    }
    while (PGnotify *notice = PQnotifies(connection)) {
        if (!servesThisProgram(notice->be_pid)) {
            m_notices.insert(QString::fromUtf8(notice->extra));
        }
        PQfreemem(notice);
    }
    if (!m_notices.isEmpty() && !m_gather.isActive()) {
        m_gather.start();
    }
}

void ServerListener::handOn()
{
    QStringList notices(m_notices.cbegin(), m_notices.cend());
    m_notices.clear();
    notices.sort();
    emit changed(notices);
}

void ServerListener::dropConnection()
{
    // Called from the notifier's own signal: it goes once that has returned.
    m_socket->setEnabled(false);
    m_socket->deleteLater();
    m_socket = nullptr;
    m_connection.reset();
    m_retry.start();
}

} // namespace kucun::pg
