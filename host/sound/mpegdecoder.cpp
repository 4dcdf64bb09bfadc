#include "host/sound/mpegdecoder.h"

#include "host/sound/soundlog_p.h"

#include <algorithm>
#include <array>

namespace host::sound {
namespace {

constexpr std::array<long, 6> playedRates = {32000, 44100, 48000, 16000, 22050, 24000};
constexpr std::array<long, 9> streamRates = {32000, 44100, 48000, 16000, 22050, 24000, 8000, 11025, 12000};

Mpg123Handle newHandle()
{
    int error = MPG123_OK;
    Mpg123Handle handle(mpg123_new(nullptr, &error));
    if (!handle) {
        qCWarning(lcPlayer) << "no decoder:" << mpg123_plain_strerror(error);
        return {};
    }
    mpg123_handle* raw = handle.get();
    // Every rate a stream may have is accepted at 16 bits, mono or stereo, and
    // none is converted: checkFormat() then refuses the ones not played. Were
    // only the played rates offered, the library would print a line on
    // standard error for the others, whatever its quiet flag says.
    // Junk in the stream is searched through without the library's
    // limit of a few kilobytes (the pipeline has its own), and any ID3v2 tag
    // that still reaches the decoder is skipped without being kept in memory.
    bool ok = mpg123_param(raw, MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_SKIP_ID3V2, 0.0) == MPG123_OK
              && mpg123_param(raw, MPG123_REMOVE_FLAGS, MPG123_AUTO_RESAMPLE, 0.0) == MPG123_OK
              && mpg123_param(raw, MPG123_RESYNC_LIMIT, -1, 0.0) == MPG123_OK
              && mpg123_format_none(raw) == MPG123_OK;
    for (long rate : streamRates)
        ok = ok && mpg123_format(raw, rate, MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16) == MPG123_OK;
    ok = ok && mpg123_open_feed(raw) == MPG123_OK;
    if (!ok) {
        qCWarning(lcPlayer) << "decoder set-up failed:" << mpg123_strerror(raw);
        return {};
    }
    return handle;
}

} // namespace

MpegDecoder::MpegDecoder()
    : m_handle(newHandle())
{
}

bool MpegDecoder::feed(const char* data, std::size_t size)
{
    if (!m_handle)
        return false;
    return mpg123_feed(m_handle.get(), reinterpret_cast<const unsigned char*>(data), size) == MPG123_OK;
}

MpegDecoder::Status MpegDecoder::next(std::span<const std::int16_t>& pcm)
{
    pcm = {};
    if (!m_handle)
        return Status::Failed;
    off_t frameNumber = 0;
    unsigned char* audio = nullptr;
    size_t bytes = 0;
    const int result = mpg123_decode_frame(m_handle.get(), &frameNumber, &audio, &bytes);
    switch (result) {
    case MPG123_OK:
        pcm = {reinterpret_cast<const std::int16_t*>(audio), bytes / sizeof(std::int16_t)};
        return Status::Audio;
    case MPG123_NEW_FORMAT:
        return checkFormat();
    case MPG123_NEED_MORE:
    case MPG123_DONE:
        return Status::NeedMore;
    default:
        // No output format fits: the stream's rate is not one of ours.
        if (result == MPG123_BAD_OUTFORMAT || mpg123_errcode(m_handle.get()) == MPG123_BAD_OUTFORMAT) {
            qCDebug(lcPlayer) << "stream format refused:" << mpg123_strerror(m_handle.get());
            return Status::Unplayable;
        }
        qCDebug(lcPlayer) << "decoder error" << result << mpg123_strerror(m_handle.get());
        return Status::Failed;
    }
}

MpegDecoder::Status MpegDecoder::checkFormat()
{
    long rate = 0;
    int channels = 0;
    int encoding = 0;
    mpg123_frameinfo2 info {};
    if (mpg123_getformat(m_handle.get(), &rate, &channels, &encoding) != MPG123_OK
        || mpg123_info2(m_handle.get(), &info) != MPG123_OK)
        return Status::Failed;
    // The output rate must be the stream's own: an MPEG-2.5 frame or any
    // conversion the library might still choose means the stream is refused.
    const bool played = info.version != MPG123_2_5 && info.rate == rate && encoding == MPG123_ENC_SIGNED_16
                        && (channels == 1 || channels == 2)
                        && std::find(playedRates.begin(), playedRates.end(), rate) != playedRates.end();
    if (!played) {
        qCDebug(lcPlayer) << "stream refused: MPEG version index" << info.version << "rate" << info.rate;
        return Status::Unplayable;
    }
    m_rate = rate;
    m_channels = channels;
    return Status::NewFormat;
}

} // namespace host::sound
