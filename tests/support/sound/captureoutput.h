#pragma once

#include "host/sound/audiooutput.h"

#include <chrono>
#include <cstdint>

namespace host::sound {

class CaptureLog;

/// An output that hears nothing but records what it is given in a
/// CaptureLog, optionally at the pace of a real device. The stand-in for the
/// sound device in tests; used from one pipeline thread like any output.
class CaptureOutput final : public AudioOutput
{
public:
    /// Records into log, which must outlive this output.
    explicit CaptureOutput(CaptureLog& log);
    ~CaptureOutput() override;

    /// Starts a new segment in the log (again for a new format).
    bool open(long rate, int channels) override;
    /// Records the samples, then waits as long as the log's speed asks.
    bool write(std::span<const std::int16_t> samples) override;
    /// Always zero: write() returns only once the samples are "heard".
    std::chrono::milliseconds pending() const override { return {}; }
    /// Marks the segment as played to the end.
    void drain() override;
    /// Marks the segment as cut short.
    void drop() override;
    /// Counts a pause.
    void pause() override;
    /// Restarts the pacing clock.
    void resume() override;

private:
    CaptureLog& m_log;
    int m_segment = -1;
    long m_rate = 0;
    int m_channels = 0;
    std::int64_t m_pacedFrames = 0;
    std::chrono::steady_clock::time_point m_pacingStart;
};

} // namespace host::sound
