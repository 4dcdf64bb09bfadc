#include "host/sound/player.h"

#include "host/sound/pipeline.h"
#include "host/sound/soundlog_p.h"

#include <cstring>
#include <system_error>

namespace host::sound {
namespace {

constexpr std::size_t textLimit = 512;

} // namespace

Player::Player(std::vector<std::string> paths, int playCount)
    : m_paths(std::move(paths))
    , m_remainingPasses(playCount < 0 ? 0 : playCount)
{
    if (!m_paths.empty())
        startWorker();
}

Player::~Player()
{
    std::unique_ptr<Pipeline> pipeline;
    {
        const std::lock_guard lock(m_mutex);
        m_removing = true;
        pipeline = std::move(m_pipeline);
        m_state = State::Stopped;
    }
    pipeline.reset();
    m_events.post(PlayerEvent {Quit, 0});
    if (m_worker.joinable())
        m_worker.join();
}

void Player::startWorker()
{
    m_worker = std::thread(&Player::runWorker, this);
}

int Player::newPlay(const NotificationTarget* target, const char* text, int start)
{
    // Every pass plays the file from its beginning, so start has nothing to
    // choose; the program passes 0.
    static_cast<void>(start);
    const std::lock_guard lock(m_mutex);
    if (m_removing)
        return 0;
    // A paused pipeline is replaced like a playing one: the path starts afresh.
    m_pipeline.reset();
    m_state = State::Stopped;
    if ((text && std::strlen(text) >= textLimit) || m_cursor >= m_paths.size()) {
        m_target.reset();
        m_text.clear();
        return 0;
    }
    try {
        // After the last pass the worker has ended; a later play gets a new one.
        if (m_workerEnded) {
            m_worker.join();
            m_workerEnded = false;
            startWorker();
        }
        m_pipeline = std::make_unique<Pipeline>(m_paths[m_cursor], m_events, ++m_lastPipelineId);
    } catch (const std::system_error& error) {
        qCWarning(lcPlayer) << "cannot start playback:" << error.what();
        m_target.reset();
        m_text.clear();
        return 0;
    }
    m_target = target ? std::optional(*target) : std::nullopt;
    m_text = text ? text : "";
    m_state = State::Playing;
    return 1;
}

int Player::playState() const
{
    const std::lock_guard lock(m_mutex);
    switch (m_state) {
    case State::Playing:
        return 1;
    case State::Paused:
        return -1;
    case State::Stopped:
        break;
    }
    return 0;
}

int Player::setPauseState(int pause)
{
    const std::lock_guard lock(m_mutex);
    if (!m_pipeline)
        return 0;
    if (pause && m_state == State::Playing) {
        m_pipeline->setPaused(true);
        m_state = State::Paused;
        return 1;
    }
    if (!pause && m_state == State::Paused) {
        m_pipeline->setPaused(false);
        m_state = State::Playing;
        return 1;
    }
    return 0;
}

void Player::runWorker()
{
    for (;;) {
        const PlayerEvent event = m_events.take();
        if (event.code == Quit || !handle(event))
            return;
    }
}

// Returns false when the worker is to end.
bool Player::handle(PlayerEvent event)
{
    std::unique_lock lock(m_mutex);
    if (m_removing)
        return false;
    // Events of a pipeline that has been replaced meanwhile are stale.
    if (!m_pipeline || event.pipeline != m_pipeline->id())
        return true;
    switch (event.code) {
    case FileEnded:
    case FileBroken:
        return fileEnded(lock);
    case OpenFailed:
    case Unplayable:
    case NoOutput:
        // Nothing could be heard: the playback ends here, silently.
        m_pipeline.reset();
        m_state = State::Stopped;
        m_target.reset();
        m_text.clear();
        return true;
    default:
        return true;
    }
}

bool Player::fileEnded(std::unique_lock<std::mutex>& lock)
{
    m_pipeline.reset();
    m_state = State::Stopped;
    const std::optional<NotificationTarget> target = m_target;
    const std::string text = m_text;
    if (target && target->post) {
        lock.unlock();
        target->post(target->context, fileEndMessage, 100, 0);
        lock.lock();
        if (m_removing)
            return false;
    }
    if (++m_cursor >= m_paths.size()) {
        m_cursor = 0;
        // The last pass is not counted down, so that a later Play plays the list once more.
        if (m_remainingPasses == 1) {
            m_workerEnded = true;
            return false;
        }
        if (m_remainingPasses > 1)
            --m_remainingPasses;
    }
    lock.unlock();
    newPlay(target ? &*target : nullptr, text.empty() ? nullptr : text.c_str(), 0);
    return true;
}

} // namespace host::sound
