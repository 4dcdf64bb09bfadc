#pragma once

#include "host/sound/eventqueue.h"
#include "host/sound/playercomponent.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace host::sound {

class Pipeline;

/// One player of the component: a file list, a cursor on it, the passes
/// still to play, and a worker thread that waits on the event queue for the
/// end of each file and chains to the next path.
///
/// newPlay(), playState() and setPauseState() may be called from any thread
/// (the UI thread, and the worker while chaining); they never wait for a file
/// or the device, only for a pipeline being replaced to stop. The destructor
/// is what "RemovePlayer" does.
class Player final
{
public:
    /// paths: the list's paths (host text bytes), in order, none empty.
    /// playCount: passes over the list, 0 or below for endless.
    /// Throws std::system_error when the worker thread cannot start.
    Player(std::vector<std::string> paths, int playCount);
    /// Stops the sound, ends the pipeline and the worker, and joins them.
    ~Player();

    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;

    /// Starts the path under the cursor from its beginning; 1 when a pipeline started.
    int newPlay(const NotificationTarget* target, const char* text, int start);
    /// 1 playing, -1 paused, 0 otherwise.
    int playState() const;
    /// Non-zero pauses a playing player, zero resumes a paused one; 1 when the state changed.
    int setPauseState(int pause);

private:
    enum class State { Paused = 1, Playing = 2, Stopped = 3 };

    void runWorker();
    bool handle(PlayerEvent event);
    bool fileEnded(std::unique_lock<std::mutex>& lock);
    void startWorker();

    const std::vector<std::string> m_paths;
    int m_remainingPasses = 0;
    std::size_t m_cursor = 0;

    mutable std::mutex m_mutex;
    State m_state = State::Stopped;
    std::unique_ptr<Pipeline> m_pipeline;
    std::uint64_t m_lastPipelineId = 0;
    std::optional<NotificationTarget> m_target;
    std::string m_text;
    bool m_removing = false;
    bool m_workerEnded = false;

    EventQueue m_events;
    std::thread m_worker;
};

} // namespace host::sound
