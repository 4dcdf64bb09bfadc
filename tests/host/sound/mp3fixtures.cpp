#include "mp3fixtures.h"

#include <lame/lame.h>

#include <cmath>
#include <numbers>
#include <random>
#include <stdexcept>
#include <vector>

namespace soundtest {

std::string encodeMp3(const Tone& tone)
{
    lame_global_flags* lame = lame_init();
    lame_set_in_samplerate(lame, tone.rate);
    lame_set_out_samplerate(lame, tone.rate);
    lame_set_num_channels(lame, tone.channels);
    lame_set_mode(lame, tone.channels == 1 ? MONO : JOINT_STEREO);
    lame_set_brate(lame, tone.rate >= 32000 ? 128 : tone.rate >= 16000 ? 64 : 32);
    lame_set_quality(lame, 7);
    lame_set_bWriteVbrTag(lame, 1);
    if (lame_init_params(lame) < 0)
        throw std::runtime_error("lame refused the tone's parameters");

    std::vector<short> left(tone.frames), right(tone.frames);
    for (int i = 0; i < tone.frames; ++i) {
        const double value = tone.level * 32767 * std::sin(2 * std::numbers::pi * tone.frequency * i / tone.rate);
        left[i] = right[i] = static_cast<short>(value);
    }
    std::vector<unsigned char> buffer(tone.frames * 5 / 4 + 7200 + 16384);
    int size = lame_encode_buffer(lame, left.data(), right.data(), tone.frames, buffer.data(), int(buffer.size()));
    size += lame_encode_flush(lame, buffer.data() + size, int(buffer.size()) - size);
    std::string mp3(reinterpret_cast<const char*>(buffer.data()), size);
    // The encoder leaves the first frame blank for the Info tag.
    unsigned char tag[2880];
    const std::size_t tagSize = lame_get_lametag_frame(lame, tag, sizeof tag);
    mp3.replace(0, tagSize, reinterpret_cast<const char*>(tag), tagSize);
    lame_close(lame);
    return mp3;
}

std::string id3v2Tag(int majorVersion, bool extendedHeader)
{
    std::string body;
    if (extendedHeader) {
        // Size 6 (not counting itself), no flags, 64 bytes of padding.
        body += std::string("\0\0\0\x06\0\0\0\0\0\x40", 10);
    }
    const std::string title = std::string(1, '\0') + "Test tone";
    body += "TIT2";
    body += std::string("\0\0\0", 3) + char(title.size()) + std::string("\0\0", 2) + title;
    // Padding, and a stretch that looks like an MPEG frame header: a reader
    // that stops short of the tag's end feeds the decoder garbage.
    body += std::string("\xFF\xFB\x90\x64", 4) + std::string(60, '\0');
    std::string tag = "ID3";
    tag += char(majorVersion);
    tag += '\0';
    tag += char(extendedHeader ? 0x40 : 0x00);
    const std::size_t size = body.size();
    for (int shift : {21, 14, 7, 0})
        tag += char((size >> shift) & 0x7F);
    return tag + body;
}

std::string id3v1Tag()
{
    std::string tag = "TAG";
    tag += "Test tone";
    tag.resize(128, ' ');
    return tag;
}

std::string randomBytes(std::size_t size, unsigned seed)
{
    std::mt19937 generator(seed);
    std::string bytes(size, '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(generator() & 0xFF);
    return bytes;
}

} // namespace soundtest
