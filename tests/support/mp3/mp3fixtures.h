#pragma once

// Sound files made in code for the sound tests and the fuzzers' seed corpus:
// short MP3 tones encoded with libmp3lame, the tags music players write
// around them, and garbage.

#include <cstddef>
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

/// The shape of an ID3v2 tag to make.
struct Id3v2
{
    int version = 3;             ///< major version: 2, 3 or 4
    bool extendedHeader = false; ///< versions 3 and 4 only
    bool footer = false;         ///< version 4 only: the "3DI" copy of the header
    std::size_t pictureBytes = 0; ///< a cover picture frame of this many bytes
    std::size_t padding = 64;
};

/// An ID3v2 tag with a title frame, optionally a cover picture (random bytes
/// behind a JPEG signature, so it holds stretches that look like MPEG frame
/// headers), and padding that also starts with such a stretch: a reader that
/// stops short of the tag's end feeds the decoder garbage.
std::string id3v2Tag(const Id3v2& shape);
/// Shorthand for the common shapes.
std::string id3v2Tag(int majorVersion, bool extendedHeader);

/// A 128-byte ID3v1 block ("TAG" ...).
std::string id3v1Tag();

/// An APEv2 tag with two items and its footer, with its header when asked.
std::string apeTag(bool withHeader);

/// The 44-byte header of a PCM WAV file followed by size bytes of a tone.
std::string wavFile(std::size_t size);

/// Bytes a fixed-seed generator makes up: the same every run.
std::string randomBytes(std::size_t size, unsigned seed);

} // namespace soundtest
