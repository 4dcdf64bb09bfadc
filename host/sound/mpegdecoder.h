#pragma once

#include "host/sound/mpghandles.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace host::sound {

/// The decoding stage of the playback pipeline, on libmpg123 in feed mode:
/// compressed bytes go in with feed(), 16-bit interleaved PCM comes out of
/// next(), one MPEG frame at a time.
///
/// Streams of MPEG-1 (32, 44.1, 48 kHz) and of MPEG-2 (16, 22.05, 24 kHz) are
/// played at their own rate and channel count; MPEG-2.5 streams (8, 11.025,
/// 12 kHz) are refused, and nothing is resampled. Memory stays bounded because
/// the caller feeds only when next() asks for more.
///
/// Used by one thread at a time (the pipeline's own).
class MpegDecoder final
{
public:
    /// What next() found.
    enum class Status {
        Audio,      ///< pcm holds the samples of one frame
        NewFormat,  ///< the stream (re)starts at rate() and channels()
        NeedMore,   ///< feed() more bytes, or the stream is over
        Unplayable, ///< the stream's format is one this program does not play
        Failed,     ///< the decoder reported an error it cannot go on from
    };

    MpegDecoder();

    /// False when libmpg123 could not set up a decoder (out of memory).
    bool isValid() const { return m_handle != nullptr; }
    /// Hands the next compressed bytes over; false on failure.
    bool feed(const char* data, std::size_t size);
    /// Decodes what it can; on Audio, pcm views samples valid until the next call.
    Status next(std::span<const std::int16_t>& pcm);

    /// Sampling rate of the current stream in Hz (after NewFormat).
    long rate() const { return m_rate; }
    /// Channel count of the current stream, 1 or 2 (after NewFormat).
    int channels() const { return m_channels; }

private:
    Status checkFormat();

    Mpg123Handle m_handle;
    long m_rate = 0;
    int m_channels = 0;
};

} // namespace host::sound
