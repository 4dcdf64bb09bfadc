// The reader and the decoder on one input: tags found, audio bytes handed out
// in chunks of varying size, decoded frame by frame. Nothing may crash, read
// out of bounds, loop or grow without bound.

#include "host/sound/mpegdecoder.h"
#include "host/sound/soundfile.h"
#include "memoryfile.h"

#include <vector>

using host::sound::MpegDecoder;
using host::sound::SoundFile;

namespace fuzz {

int readAndDecode(const std::uint8_t* data, std::size_t size)
{
    const MemoryFile input(data, size);
    SoundFile file;
    require(file.open(input.path()) == SoundFile::Opened); // a memfd is a regular file
    require(file.audioBegin() >= 0 && file.audioBegin() <= file.audioEnd()
            && file.audioEnd() <= static_cast<std::int64_t>(size));

    MpegDecoder decoder;
    // The chunk size follows the input, so that frames straddle feeds.
    std::vector<char> chunk(size > 0 ? 1 + data[size - 1] * 16 : 1);
    for (bool inputDone = false;;) {
        std::span<const std::int16_t> pcm;
        const MpegDecoder::Status status = decoder.next(pcm);
        if (status == MpegDecoder::Status::Audio) {
            volatile std::int16_t sink = 0;
            for (std::int16_t sample : pcm) // every sample must be readable
                sink = sink ^ sample;
        } else if (status == MpegDecoder::Status::NeedMore) {
            if (inputDone)
                return 0;
            const std::ptrdiff_t count = file.read(chunk.data(), chunk.size());
            require(count >= 0);
            inputDone = count == 0;
            if (count > 0 && !decoder.feed(chunk.data(), static_cast<std::size_t>(count)))
                return 0;
        } else if (status != MpegDecoder::Status::NewFormat) {
            return 0;
        }
    }
}

} // namespace fuzz

TIKORA_FUZZ_TARGET(readAndDecode)
