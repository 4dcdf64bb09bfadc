#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>

namespace host::sound {

/// The output stage of the playback pipeline: takes signed 16-bit interleaved
/// PCM at one rate and channel count and makes it heard.
///
/// A pipeline creates one output per file through createAudioOutput() and uses
/// it from its own thread only; nothing here is called from the UI thread.
/// The real output is libout123 on the desktop's sound server
/// (Out123Output); tests plug in one that captures the PCM.
class AudioOutput
{
public:
    virtual ~AudioOutput() = default;

    /// Opens the device for rate and channels; false when there is none.
    /// Must give up within a fraction of a second when no device answers.
    virtual bool open(long rate, int channels) = 0;
    /// Plays the samples, blocking while the device is full: this call sets
    /// the pace of playback. False when the device failed.
    virtual bool write(std::span<const std::int16_t> samples) = 0;
    /// Estimate of the audio written but not heard yet.
    virtual std::chrono::milliseconds pending() const = 0;
    /// Waits until everything written has been heard (called once pending() is small).
    virtual void drain() = 0;
    /// Throws away whatever is still queued, so that sound stops at once.
    virtual void drop() = 0;
    /// Silences the device until resume(); what was queued is dropped.
    virtual void pause() = 0;
    /// Lets writes play again after pause().
    virtual void resume() = 0;
};

/// Makes the output for one file.
using AudioOutputFactory = std::function<std::unique_ptr<AudioOutput>()>;

/// Seam for tests: replaces the factory every new pipeline uses; an empty factory restores
/// the real output on libout123. Any thread may call; pipelines already
/// playing keep their output.
void setAudioOutputFactory(AudioOutputFactory factory);

/// A new output from the current factory (called on a pipeline's thread).
std::unique_ptr<AudioOutput> createAudioOutput();

} // namespace host::sound
