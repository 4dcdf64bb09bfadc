#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <thread>

namespace host::sound {

class AudioOutput;
class EventQueue;

/// Plays one file: reader, decoder and output on a thread of their own, so
/// that neither a slow file nor a slow device ever holds up the player. The
/// player learns how the file ended from the one event the thread posts.
///
/// The thread opens the path, decodes and writes to the output, then posts
/// one event to the player's queue: FileEnded once all of it has been heard,
/// FileBroken when it failed after sound was heard, or OpenFailed, Unplayable
/// or NoOutput when nothing could be heard at all. A pipeline that is stopped
/// posts nothing.
///
/// Created, paused and destroyed by its player (the UI thread or the player's
/// worker); its own thread touches only the file, the decoder and the output.
class Pipeline final
{
public:
    /// Starts playing path (host text bytes, converted to the file system's
    /// encoding on the pipeline's thread); id tags the events it posts.
    /// Throws std::system_error when no thread can be started.
    Pipeline(std::string path, EventQueue& events, std::uint64_t id);
    /// Stops: the sound ends at once, the thread is joined. Waits at most
    /// about one write to the device.
    ~Pipeline();

    Pipeline(const Pipeline&) = delete;
    Pipeline& operator=(const Pipeline&) = delete;

    /// The id given at construction.
    std::uint64_t id() const { return m_id; }
    /// Pauses (silencing the device) or resumes; returns at once.
    void setPaused(bool paused);

private:
    struct Playback;

    void run();
    int play();
    std::optional<int> decodeNext(Playback& playback);
    std::optional<int> readInput(Playback& playback);
    std::optional<int> openOutput(Playback& playback);
    std::optional<int> playAudio(Playback& playback, std::span<const std::int16_t> pcm);
    int finish(AudioOutput* output, bool heard);
    bool writeAudio(AudioOutput& output, std::span<const std::int16_t> samples, int channels);
    bool waitWhilePaused(AudioOutput* output);
    bool aborted();

    const std::string m_path;
    EventQueue& m_events;
    const std::uint64_t m_id;

    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_abort = false;
    bool m_paused = false;

    std::thread m_thread;
};

} // namespace host::sound
