#pragma once

#include <cstdint>
#include <list>
#include <mutex>
#include <semaphore>

namespace host::sound {

/// Something a pipeline tells its player's worker thread.
struct PlayerEvent
{
    int code = 0;
    /// Which pipeline posted it; events of a pipeline already replaced are stale.
    std::uint64_t pipeline = 0;
};

/// Event codes. After FileEnded and FileBroken the worker chains to the next
/// path: once sound has been heard, a file that breaks off counts as played.
/// The failures end the playback without chaining; Quit ends the worker
/// thread. The values mean nothing beyond telling the codes apart, and the
/// failures are numbered in a range of their own.
enum PlayerEventCode : int {
    FileEnded = 77,         ///< the file played to its end
    FileBroken = 12,        ///< playback stopped on an error after sound was heard
    OpenFailed = 1001,      ///< the path could not be opened
    Unplayable = 1002,      ///< no playable MPEG audio in the file
    NoOutput = 1003,        ///< no sound device could be opened
    Quit = 1004,            ///< the player is being removed
};

/// The worker's event queue: a linked list guarded by a mutex, and a counting
/// semaphore released once per event. Any thread may post; one thread takes.
class EventQueue final
{
public:
    /// Appends the event and wakes the taker; never blocks for long.
    void post(PlayerEvent event);
    /// Waits until an event is there and removes the oldest.
    PlayerEvent take();

private:
    std::mutex m_mutex;
    std::list<PlayerEvent> m_events;
    std::counting_semaphore<> m_available {0};
};

} // namespace host::sound
