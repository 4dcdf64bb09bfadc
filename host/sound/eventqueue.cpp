#include "host/sound/eventqueue.h"

namespace host::sound {

void EventQueue::post(PlayerEvent event)
{
    {
        const std::lock_guard lock(m_mutex);
        m_events.push_back(event);
    }
    m_available.release();
}

PlayerEvent EventQueue::take()
{
    m_available.acquire();
    const std::lock_guard lock(m_mutex);
    PlayerEvent event = m_events.front();
    m_events.pop_front();
    return event;
}

} // namespace host::sound
