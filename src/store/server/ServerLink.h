#pragma once

#include <QObject>

namespace kucun::pg {

// Whether this program still reaches its server book. A statement or a
// login that finds the server gone notes the link lost; the next login that
// reaches it again announces the reconnection, once.
class ServerLink : public QObject
{
    Q_OBJECT

public:
    static ServerLink &instance();

    void noteLost() { m_lost = true; }
    void noteReached();

signals:
    void reconnected();

private:
    bool m_lost = false;
};

} // namespace kucun::pg
