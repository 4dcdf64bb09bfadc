#include "host/sound/pipeline.h"

#include "host/values/codec.h"
#include "host/sound/audiooutput.h"
#include "host/sound/eventqueue.h"
#include "host/sound/mpegdecoder.h"
#include "host/sound/soundfile.h"
#include "host/sound/soundlog_p.h"
#include "host/values/text.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace host::sound {
namespace {

constexpr std::size_t inputChunk = 16 * 1024;
// Bytes the decoder may take without giving a single frame of sound before the
// file counts as garbage (random bytes, zeros, a renamed video...).
constexpr std::int64_t searchLimit = 4 * 1024 * 1024;
// Frames per write: how long the thread may be blocked in the device, and so
// how soon it sees a stop or a pause.
constexpr std::size_t framesPerWrite = 512;
// Pending audio below this is left to drain(), which cannot be interrupted.
constexpr std::chrono::milliseconds drainThreshold(20);

} // namespace

Pipeline::Pipeline(std::string path, EventQueue& events, std::uint64_t id)
    : m_path(std::move(path))
    , m_events(events)
    , m_id(id)
{
    m_thread = std::thread(&Pipeline::run, this);
}

Pipeline::~Pipeline()
{
    {
        const std::lock_guard lock(m_mutex);
        m_abort = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void Pipeline::setPaused(bool paused)
{
    {
        const std::lock_guard lock(m_mutex);
        if (m_paused == paused)
            return;
        m_paused = paused;
    }
    m_wake.notify_all();
}

bool Pipeline::aborted()
{
    const std::lock_guard lock(m_mutex);
    return m_abort;
}

void Pipeline::run()
{
    const int code = play();
    if (code != 0 && !aborted())
        m_events.post(PlayerEvent {code, m_id});
}

// What one file's playback keeps between the steps of the pipeline's thread.
struct Pipeline::Playback
{
    SoundFile& file;
    MpegDecoder& decoder;
    std::unique_ptr<AudioOutput> output;
    std::vector<char> input = std::vector<char>(inputChunk);
    std::int64_t bytesWithoutSound = 0;
    bool inputDone = false;
    bool heard = false;

    // Once sound has been heard, a failure ends the file like its end does.
    int failure() const { return heard ? FileBroken : Unplayable; }
};

// Returns the event to post, or 0 when stopped from outside.
int Pipeline::play()
{
    SoundFile file;
    if (const int openCode = file.open(codec::toFileSystemPath(Text::fromBytes(m_path)))) {
        qCDebug(lcPlayer) << "cannot open" << m_path.c_str() << "code" << openCode;
        return OpenFailed;
    }
    MpegDecoder decoder;
    if (!decoder.isValid())
        return Unplayable;

    Playback playback{file, decoder};
    for (;;) {
        if (!waitWhilePaused(playback.output.get())) {
            if (playback.output)
                playback.output->drop();
            return 0;
        }
        if (const std::optional<int> code = decodeNext(playback))
            return *code;
    }
}

// One step: whatever the decoder asks for next. Returns the event to post (or
// 0) once the file is done, nothing while it goes on.
std::optional<int> Pipeline::decodeNext(Playback& playback)
{
    std::span<const std::int16_t> pcm;
    switch (playback.decoder.next(pcm)) {
    case MpegDecoder::Status::NeedMore:
        return readInput(playback);
    case MpegDecoder::Status::NewFormat:
        return openOutput(playback);
    case MpegDecoder::Status::Audio:
        return playAudio(playback, pcm);
    case MpegDecoder::Status::Unplayable:
    case MpegDecoder::Status::Failed:
        if (playback.output)
            finish(playback.output.get(), playback.heard);
        return playback.failure();
    }
    return std::nullopt;
}

// Feeds the decoder the next chunk of the file; at the end of the file, lets
// the output play out. Gives up on a file that yields no sound for too long.
std::optional<int> Pipeline::readInput(Playback& playback)
{
    if (playback.inputDone)
        return finish(playback.output.get(), playback.heard);
    const std::ptrdiff_t count = playback.file.read(playback.input.data(), playback.input.size());
    if (count < 0)
        return playback.failure();
    if (count == 0) {
        playback.inputDone = true;
        return std::nullopt;
    }
    playback.bytesWithoutSound += count;
    if (playback.bytesWithoutSound > searchLimit) {
        qCDebug(lcPlayer) << m_path.c_str() << "has no playable frame in" << searchLimit << "bytes";
        return playback.failure();
    }
    if (!playback.decoder.feed(playback.input.data(), static_cast<std::size_t>(count)))
        return playback.failure();
    return std::nullopt;
}

// Opens the output at the stream's rate and channel count: at its first
// frame, and again whenever the stream changes its format.
std::optional<int> Pipeline::openOutput(Playback& playback)
{
    if (playback.output) {
        // The stream changed its format: let the old one play out first.
        if (finish(playback.output.get(), true) == 0)
            return 0;
    } else {
        playback.output = createAudioOutput();
    }
    if (!playback.output || !playback.output->open(playback.decoder.rate(), playback.decoder.channels()))
        return playback.heard ? FileBroken : NoOutput;
    return std::nullopt;
}

// Writes decoded sound to the output.
std::optional<int> Pipeline::playAudio(Playback& playback, std::span<const std::int16_t> pcm)
{
    if (!playback.output)
        return playback.failure();
    playback.bytesWithoutSound = 0;
    if (pcm.empty())
        return std::nullopt;
    if (!writeAudio(*playback.output, pcm, playback.decoder.channels())) {
        playback.output->drop();
        return aborted() ? 0 : FileBroken;
    }
    playback.heard = true;
    return std::nullopt;
}

// Lets the output play what it still holds. Returns FileEnded, or 0 when
// stopped meanwhile (then the rest is dropped), or Unplayable when no sound
// came out at all: chaining to the next pass would then only spin.
int Pipeline::finish(AudioOutput* output, bool heard)
{
    if (!output)
        return Unplayable;
    for (;;) {
        if (!waitWhilePaused(output)) {
            output->drop();
            return 0;
        }
        const auto pending = output->pending();
        if (pending <= drainThreshold)
            break;
        std::unique_lock lock(m_mutex);
        m_wake.wait_for(lock, std::min(pending, std::chrono::milliseconds(50)), [this] { return m_abort || m_paused; });
    }
    output->drain();
    return heard ? FileEnded : Unplayable;
}

bool Pipeline::writeAudio(AudioOutput& output, std::span<const std::int16_t> samples, int channels)
{
    const std::size_t step = framesPerWrite * static_cast<std::size_t>(channels);
    for (std::size_t offset = 0; offset < samples.size(); offset += step) {
        if (!waitWhilePaused(&output))
            return false;
        if (!output.write(samples.subspan(offset, std::min(step, samples.size() - offset))))
            return false;
    }
    return true;
}

// Returns false once stopped. While paused, the output is silenced and the
// thread sleeps until resumed or stopped.
bool Pipeline::waitWhilePaused(AudioOutput* output)
{
    std::unique_lock lock(m_mutex);
    if (m_abort)
        return false;
    if (!m_paused)
        return true;
    lock.unlock();
    if (output)
        output->pause();
    lock.lock();
    m_wake.wait(lock, [this] { return m_abort || !m_paused; });
    if (m_abort)
        return false;
    lock.unlock();
    if (output)
        output->resume();
    return true;
}

} // namespace host::sound
