#pragma once

#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>
#include <memory>

class QSocketNotifier;

namespace kucun::pg {

class Connection;

// Listens on its own connection for the changes other programs commit to
// the server book, and hands them on gathered: a moment after the first
// notice, every notice since ("明细 INSERT", "型号 UPDATE"), each once. The
// program's own changes are left out; it knows them already. When the
// connection is lost it tries again every few seconds, and once back it
// hands on an empty notice, a change of everything: notices sent meanwhile
// are gone.
class ServerListener : public QObject
{
    Q_OBJECT

public:
    explicit ServerListener(QString conninfo, QObject *parent = nullptr);
    ~ServerListener() override;

signals:
    void changed(const QStringList &notices);

private:
    void listen();
    void readNotices();
    void handOn();
    void dropConnection();

    QString m_conninfo;
    std::unique_ptr<Connection> m_connection;
    QSocketNotifier *m_socket = nullptr;
    QSet<QString> m_notices;
    QTimer m_gather;
    QTimer m_retry;
    bool m_listenedBefore = false;
};

} // namespace kucun::pg
