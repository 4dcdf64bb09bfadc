// The whole pipeline thread on one input, with an output that takes the PCM
// at once and checks that it is whole frames of a format that was opened.

#include "host/sound/audiooutput.h"
#include "host/sound/eventqueue.h"
#include "host/sound/pipeline.h"
#include "memoryfile.h"

using namespace host::sound;

namespace fuzz {
namespace {

class CheckingOutput final : public AudioOutput
{
public:
    bool open(long rate, int channels) override
    {
        // Any other format the decoder should have refused.
        require(rate >= 16000 && rate <= 48000 && (channels == 1 || channels == 2));
        m_channels = channels;
        return true;
    }
    bool write(std::span<const std::int16_t> samples) override
    {
        require(m_channels != 0 && samples.size() % static_cast<std::size_t>(m_channels) == 0);
        return true;
    }
    std::chrono::milliseconds pending() const override { return {}; }
    void drain() override {}
    void drop() override {}
    void pause() override {}
    void resume() override {}

private:
    int m_channels = 0;
};

} // namespace

int playThroughPipeline(const std::uint8_t* data, std::size_t size)
{
    static const bool installed = [] {
        setAudioOutputFactory([] { return std::make_unique<CheckingOutput>(); });
        return true;
    }();
    (void)installed;
    const MemoryFile input(data, size);
    EventQueue events;
    Pipeline pipeline(input.path(), events, 1);
    const PlayerEvent event = events.take();
    require(event.pipeline == 1 && event.code != OpenFailed && event.code != NoOutput);
    return 0;
}

} // namespace fuzz

TIKORA_FUZZ_TARGET(playThroughPipeline)
