#pragma once

#include "host/sound/audiooutput.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

namespace host::sound {

/// Records what the pipelines played through capturing outputs, for tests and
/// diagnostics: one segment per opened output (that is, per file played).
///
/// The outputs write from pipeline threads; everything here is guarded by one
/// mutex, so any thread may read or wait.
class CaptureLog final
{
public:
    /// One opened output and what it received.
    struct Segment
    {
        long rate = 0;
        int channels = 0;
        std::int64_t frames = 0;
        int peak = 0;       ///< largest absolute sample value
        int pauses = 0;     ///< times pause() was called
        bool drained = false; ///< played to the end (drain() was called)
        bool dropped = false; ///< cut short (drop() was called)
        bool closed = false;  ///< the output was destroyed
    };

    /// speed 0 accepts PCM at once; speed 1 takes as long as the sound lasts,
    /// 2 half as long and so on, like a device would.
    explicit CaptureLog(double speed = 0.0) : m_speed(speed) {}

    /// A factory for setAudioOutputFactory(); the log must outlive its outputs.
    AudioOutputFactory factory();

    /// Every segment so far, oldest first.
    std::vector<Segment> segments() const;
    /// Outputs created and not destroyed yet.
    int liveOutputs() const;
    /// Outputs created so far, opened or not.
    int outputsCreated() const;
    /// Waits until condition holds for the segments, or the timeout passes.
    bool waitFor(const std::function<bool(const std::vector<Segment>&)>& condition,
                 std::chrono::milliseconds timeout) const;

    // Called by the capturing outputs.
    int opened(long rate, int channels);
    void wrote(int segment, std::span<const std::int16_t> samples);
    void changed(int segment, const std::function<void(Segment&)>& change);
    void created();
    void destroyed(int segment);
    double speed() const { return m_speed; }

private:
    const double m_speed = 0.0;
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    std::vector<Segment> m_segments;
    int m_liveOutputs = 0;
    int m_outputsCreated = 0;
};

} // namespace host::sound
