#pragma once

#include "host/sound/audiooutput.h"
#include "host/sound/mpghandles.h"

#include <chrono>
#include <cstdint>
#include <vector>

namespace host::sound {

/// The real output: libout123 on the default device of the desktop's sound
/// server, tried in the order PulseAudio, then ALSA. The list is explicit
/// because libout123's own order goes on to modules that wait for seconds, or
/// with no sound server never return and keep a core busy; with neither
/// PulseAudio nor an ALSA card, open() fails within milliseconds. ALSA is
/// tried only where a sound card is present, and for a second after a failed
/// open no new attempt is made: failed attempts leak inside the libraries.
///
/// Used from one thread only (the pipeline's), as libout123 asks.
class Out123Output final : public AudioOutput
{
public:
    Out123Output() = default;
    /// Drops what is queued and closes the device.
    ~Out123Output() override;

    /// Opens (or, for a new format, restarts) the device.
    bool open(long rate, int channels) override;
    /// Plays the samples; blocks while the sound server's buffer is full.
    bool write(std::span<const std::int16_t> samples) override;
    /// What was written minus what the wall clock says has played.
    std::chrono::milliseconds pending() const override;
    /// Waits for the device to play what is queued.
    void drain() override;
    /// Flushes the sound server's buffer.
    void drop() override;
    /// Flushes and pauses the device.
    void pause() override;
    /// Continues after pause().
    void resume() override;

private:
    void restartClock();

    Out123Handle m_handle;
    long m_rate = 0;
    int m_channels = 0;
    std::vector<std::int16_t> m_scratch;
    std::int64_t m_framesWritten = 0;
    std::chrono::steady_clock::time_point m_firstWrite;
};

} // namespace host::sound
