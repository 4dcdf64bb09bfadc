// Writes the fuzzers' seed corpus into the folder given: short tones at each
// rate the program plays and at one it refuses, with and without the tags
// music players write, truncated, and garbage. Small files, so that the
// fuzzers run many of them a second.

#include "mp3fixtures.h"

#include <cstdio>
#include <fstream>
#include <string>

using namespace soundtest;

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: makecorpus FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    int written = 0;
    const auto write = [&](const std::string& name, const std::string& bytes) {
        std::ofstream(folder + "/" + name, std::ios::binary) << bytes;
        ++written;
    };
    for (int rate : {32000, 44100, 48000, 16000, 22050, 24000, 8000})
        for (int channels : {1, 2})
            write("tone-" + std::to_string(rate) + "-" + std::to_string(channels) + ".mp3",
                  encodeMp3({.rate = rate, .channels = channels, .frames = 2304}));

    const std::string tone = encodeMp3({.rate = 22050, .channels = 1, .frames = 1152});
    write("truncated-frame.mp3", tone.substr(0, tone.size() - 50));
    write("header-only.mp3", tone.substr(0, tone.size() / 3));
    for (int version : {2, 3, 4})
        write("id3v2." + std::to_string(version) + "-cover.mp3",
              id3v2Tag({.version = version, .extendedHeader = version > 2, .footer = version == 4,
                        .pictureBytes = 600})
                  + tone);
    write("three-tags.mp3", id3v2Tag(4, false) + id3v2Tag(3, true) + id3v2Tag(2, false) + tone);
    write("end-tags.mp3", tone + apeTag(true) + id3v1Tag());
    write("ape-footer-only.mp3", tone + apeTag(false));
    write("footed-at-end.mp3", tone + id3v2Tag({.version = 4, .footer = true}));
    write("junk-first.mp3", randomBytes(200, 3) + tone);
    write("zeros-first.mp3", std::string(300, '\0') + tone);
    write("wav.mp3", wavFile(400));
    write("random.mp3", randomBytes(1000, 5));
    std::printf("%d seed files in %s\n", written, folder.c_str());
    return 0;
}
