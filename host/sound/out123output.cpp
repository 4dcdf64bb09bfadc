#include "host/sound/out123output.h"

#include "host/sound/soundlog_p.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <limits>
#include <string>

namespace host::sound {
namespace {

using Clock = std::chrono::steady_clock;

// After an output could not be opened, further opens give up at once for this
// long: each failed attempt costs memory inside the sound libraries that is
// never given back, and rapid retries would only pile that up.
constexpr auto retryPause = std::chrono::seconds(1);
std::atomic<Clock::rep> lastFailure {std::numeric_limits<Clock::rep>::min()};

bool failedRecently()
{
    const Clock::rep failure = lastFailure.load();
    return failure != std::numeric_limits<Clock::rep>::min()
           && Clock::now() - Clock::time_point(Clock::duration(failure)) < retryPause;
}

// Whether the machine has an ALSA playback device node at all. Asking libasound
// to open its default device on a machine with no sound card leaks about
// 140 KiB per attempt, so ALSA is only tried where a card is present.
bool hasAlsaPlaybackDevice()
{
    std::error_code error;
    for (auto it = std::filesystem::directory_iterator("/dev/snd", error);
         !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.starts_with("pcmC") && name.ends_with('p'))
            return true;
    }
    return false;
}

// The desktop's sound servers, nothing else: see the class comment.
const char* drivers()
{
    return hasAlsaPlaybackDevice() ? "pulse,alsa" : "pulse";
}

} // namespace

Out123Output::~Out123Output()
{
    if (m_handle)
        out123_drop(m_handle.get());
}

bool Out123Output::open(long rate, int channels)
{
    if (!m_handle) {
        if (failedRecently())
            return false;
        Out123Handle handle(out123_new());
        if (!handle) {
            qCWarning(lcPlayer) << "no output handle";
            return false;
        }
        out123_param_int(handle.get(), OUT123_FLAGS, OUT123_QUIET);
        out123_param_string(handle.get(), OUT123_NAME, "tikora");
        if (out123_open(handle.get(), drivers(), nullptr) != OUT123_OK) {
            qCInfo(lcPlayer) << "no sound output:" << out123_strerror(handle.get());
            lastFailure = Clock::now().time_since_epoch().count();
            return false;
        }
        lastFailure = std::numeric_limits<Clock::rep>::min();
        m_handle = std::move(handle);
    } else {
        out123_stop(m_handle.get());
    }
    if (out123_start(m_handle.get(), rate, channels, MPG123_ENC_SIGNED_16) != OUT123_OK) {
        qCInfo(lcPlayer) << "sound output refused" << rate << "Hz" << channels << "channels:"
                         << out123_strerror(m_handle.get());
        m_handle.reset();
        return false;
    }
    m_rate = rate;
    m_channels = channels;
    restartClock();
    return true;
}

bool Out123Output::write(std::span<const std::int16_t> samples)
{
    if (!m_handle)
        return false;
    if (samples.empty())
        return true;
    if (m_framesWritten == 0)
        m_firstWrite = std::chrono::steady_clock::now();
    // out123_play() may convert in place, so it gets a copy it can own.
    m_scratch.assign(samples.begin(), samples.end());
    const std::size_t bytes = m_scratch.size() * sizeof(std::int16_t);
    const std::size_t played = out123_play(m_handle.get(), m_scratch.data(), bytes);
    m_framesWritten += static_cast<std::int64_t>(samples.size()) / m_channels;
    if (played != bytes) {
        qCInfo(lcPlayer) << "sound output failed:" << out123_strerror(m_handle.get());
        return false;
    }
    return true;
}

std::chrono::milliseconds Out123Output::pending() const
{
    if (!m_handle || m_framesWritten == 0)
        return {};
    const auto written = std::chrono::milliseconds(m_framesWritten * 1000 / m_rate);
    const auto elapsed
        = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - m_firstWrite);
    return std::max(std::chrono::milliseconds(0), written - elapsed);
}

void Out123Output::drain()
{
    if (m_handle)
        out123_drain(m_handle.get());
    restartClock();
}

void Out123Output::drop()
{
    if (m_handle)
        out123_drop(m_handle.get());
    restartClock();
}

void Out123Output::pause()
{
    if (!m_handle)
        return;
    // Without the drop, pausing a live device first plays out the server's buffer.
    out123_drop(m_handle.get());
    out123_pause(m_handle.get());
    restartClock();
}

void Out123Output::resume()
{
    if (m_handle)
        out123_continue(m_handle.get());
}

void Out123Output::restartClock()
{
    m_framesWritten = 0;
}

} // namespace host::sound
