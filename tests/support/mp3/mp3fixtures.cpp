#include "mp3fixtures.h"

#include <lame/lame.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
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

namespace {

// Sizes in ID3v2.4 headers and frames, and in every header: 7 bits per byte.
std::string synchsafe(std::size_t value)
{
    std::string bytes;
    for (int shift : {21, 14, 7, 0})
        bytes += char((value >> shift) & 0x7F);
    return bytes;
}

std::string bigEndian(std::size_t value, int width)
{
    std::string bytes;
    for (int i = width - 1; i >= 0; --i)
        bytes += char((value >> (8 * i)) & 0xFF);
    return bytes;
}

std::string littleEndian32(std::uint32_t value)
{
    std::string bytes;
    for (int i = 0; i < 4; ++i)
        bytes += char((value >> (8 * i)) & 0xFF);
    return bytes;
}

// One frame: version 2.2 has three-letter names and three-byte sizes.
std::string id3Frame(int version, const std::string& name, const std::string& content)
{
    if (version == 2)
        return name.substr(0, 3) + bigEndian(content.size(), 3) + content;
    const std::string size = version == 4 ? synchsafe(content.size()) : bigEndian(content.size(), 4);
    return name + size + std::string("\0\0", 2) + content;
}

} // namespace

std::string id3v2Tag(const Id3v2& shape)
{
    const int version = shape.version;
    std::string body;
    if (shape.extendedHeader && version == 3) // size 6 not counting itself, 64 bytes of padding
        body += std::string("\0\0\0\x06\0\0\0\0\0\x40", 10);
    if (shape.extendedHeader && version == 4) // size 6 counting itself, one flag byte, no flags
        body += synchsafe(6) + std::string("\x01\0", 2);
    body += id3Frame(version, version == 2 ? "TT2" : "TIT2", std::string(1, '\0') + "Test tone");
    if (shape.pictureBytes > 0) {
        std::string picture = "\xFF\xD8\xFF\xE0" + randomBytes(shape.pictureBytes - 4, 11);
        const std::string head = version == 2 ? std::string("\0JPG\x03\0", 6)
                                              : std::string("\0image/jpeg\0\x03\0", 14);
        body += id3Frame(version, version == 2 ? "PIC" : "APIC", head + picture);
    }
    if (shape.padding > 0) {
        std::string padding(shape.padding, '\0');
        padding.replace(0, 4, "\xFF\xFB\x90\x64", std::min<std::size_t>(4, shape.padding));
        body += padding;
    }
    const bool footer = shape.footer && version == 4;
    const char flags = char((shape.extendedHeader && version >= 3 ? 0x40 : 0) | (footer ? 0x10 : 0));
    const std::string header = std::string("ID3") + char(version) + '\0' + flags + synchsafe(body.size());
    return header + body + (footer ? "3DI" + header.substr(3) : std::string());
}

std::string id3v2Tag(int majorVersion, bool extendedHeader)
{
    return id3v2Tag(Id3v2 {.version = majorVersion, .extendedHeader = extendedHeader});
}

std::string id3v1Tag()
{
    std::string tag = "TAG";
    tag += "Test tone";
    tag.resize(128, ' ');
    return tag;
}

std::string apeTag(bool withHeader)
{
    std::string items;
    for (const auto& [key, value] : {std::pair<std::string, std::string> {"Title", "Test tone"}, {"Artist", "Nobody"}})
        items += littleEndian32(std::uint32_t(value.size())) + littleEndian32(0) + key + '\0' + value;
    // The size counts the items and the footer, not the header.
    const auto block = [&](bool isHeader) {
        const std::uint32_t flags = (withHeader ? 0x80000000u : 0) | (isHeader ? 0x20000000u : 0);
        return "APETAGEX" + littleEndian32(2000) + littleEndian32(std::uint32_t(items.size() + 32))
               + littleEndian32(2) + littleEndian32(flags) + std::string(8, '\0');
    };
    return (withHeader ? block(true) : std::string()) + items + block(false);
}

std::string wavFile(std::size_t size)
{
    std::string wav = "RIFF" + littleEndian32(std::uint32_t(size + 36)) + "WAVEfmt " + littleEndian32(16);
    wav += std::string("\x01\0\x02\0", 4) + littleEndian32(44100) + littleEndian32(44100 * 4)
           + std::string("\x04\0\x10\0", 4) + "data" + littleEndian32(std::uint32_t(size));
    for (std::size_t i = 0; i < size; ++i)
        wav += char(int(100 * std::sin(i * 0.05)) & 0xFF);
    return wav;
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
