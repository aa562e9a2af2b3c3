#include "ServerLink.h"

namespace kucun::pg {

ServerLink &ServerLink::instance()
{
    static ServerLink link;
    return link;
}

void ServerLink::noteReached()
{
    if (m_lost) {
        m_lost = false;
        emit reconnected();
    }
}

} // namespace kucun::pg
