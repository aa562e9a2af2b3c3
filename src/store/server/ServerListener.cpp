#include "ServerListener.h"

#include "PgConnection.h"
#include "ServerSchema.h"
#include "store/RecordCounts.h"
#include "store/SqlCipher.h"

#include <QSocketNotifier>
#include <QThread>
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
    m_retry.setSingleShot(true);
    m_retry.setInterval(retryMs);
    connect(&m_retry, &QTimer::timeout, this, &ServerListener::listen);
    listen();
}

ServerListener::~ServerListener()
{
    if (m_connection) {
        recordcounts::followingServer(false);
    }
}

void ServerListener::listen()
{
    // A login to a server out of reach waits for the network's timeout: it
    // runs on a thread of its own, so that the window never waits for it.
    auto listening = std::make_shared<std::unique_ptr<Connection>>();
    QThread *login = QThread::create([listening, conninfo = m_conninfo] {
        *listening = Connection::open(conninfo, nullptr);
        if (*listening &&
            !(*listening)
                 ->execScript(QStringLiteral("LISTEN ") + sql::quoteIdentifier(changeChannel))) {
            listening->reset();
        }
    });
    connect(login, &QThread::finished, this, [this, login, listening] {
        login->deleteLater();
        m_connection = std::move(*listening);
        if (!m_connection) {
            m_retry.start();
            return;
        }
        m_socket =
            new QSocketNotifier(PQsocket(m_connection->handle()), QSocketNotifier::Read, this);
        connect(m_socket, &QSocketNotifier::activated, this, &ServerListener::readNotices);
        recordcounts::followingServer(true);
        // Notices sent while the listener was away are gone: everything may have changed.
        if (m_listenedBefore) {
            m_notices.insert(QString());
            handOn();
        }
        m_listenedBefore = true;
    });
    login->start();
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
            const QString text = QString::fromUtf8(notice->extra);
            m_notices.insert(text);
            // Records may have come or gone: counted anew when next asked.
            if (text.section(QLatin1Char(' '), 1) != QLatin1String("UPDATE")) {
                recordcounts::forgetServerTable(text.section(QLatin1Char(' '), 0, 0));
            }
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
    recordcounts::followingServer(false);
    m_retry.start();
}

} // namespace kucun::pg
