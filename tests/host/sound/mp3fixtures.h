#pragma once

// Sound files made in code for the sound tests: short MP3 tones encoded with
// libmp3lame, ID3 tags and garbage.

#include <string>

namespace soundtest {

/// A tone to encode.
struct Tone
{
    int rate = 44100;
    int channels = 2;
    int frames = 11025;      ///< PCM frames (samples per channel)
    double frequency = 440.0;
    double level = 0.5;      ///< peak, 0..1
};

/// The tone as an MP3 file with an Info tag, so that a gapless decoder gives
/// back exactly tone.frames frames.
std::string encodeMp3(const Tone& tone);

/// An ID3v2.3 tag with one title frame and padding; with extendedHeader the
/// 0x40 flag is set and an extended header (with a padding size) is included.
std::string id3v2Tag(int majorVersion, bool extendedHeader);

/// A 128-byte ID3v1 block ("TAG" ...).
std::string id3v1Tag();

/// Bytes a fixed-seed generator makes up: the same every run.
std::string randomBytes(std::size_t size, unsigned seed);

} // namespace soundtest
