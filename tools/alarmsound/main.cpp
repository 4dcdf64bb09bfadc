// Writes the program's built-in alarm sound: about 30 seconds of a rising alarm
// pattern, synthesised here and encoded as MPEG-1 Layer III, 44.1 kHz stereo,
// with an Info tag so that decoders play exactly the synthesised samples.
//
// Usage: alarmsound OUTPUT.mp3   (tools/make-alarm-sound.sh builds and runs it)
//
// The pattern repeats every two seconds and grows more urgent in three stages:
//   0-10 s   a two-note chime (A5, D6) with a bell-like decay, quiet at first;
//   10-20 s  four quick beeps climbing an A major arpeggio, a little louder;
//   20-30 s  fast chirps that sweep upwards, alternating between the speakers.
// Across the stages the pitch creeps up and the level rises, so a sleeper who
// missed the start hears it grow. Every note has a soft attack and release,
// so the sound has no clicks.

#include <lame/lame.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

namespace {

constexpr int sampleRate = 44100;
constexpr double cycleSeconds = 2.0;
constexpr int cycles = 15;

struct Stereo
{
    std::vector<float> left;
    std::vector<float> right;
};

// A tone with a few odd harmonics: clearer and more penetrating than a sine,
// softer than a square wave.
double timbre(double phase, double brightness)
{
    return std::sin(phase) + brightness * std::sin(3 * phase) / 3 + brightness * brightness * std::sin(5 * phase) / 5;
}

// Adds one note of the given length starting at start (seconds). frequency
// may glide linearly to endFrequency; decay > 0 makes a bell-like fall.
struct Note
{
    double start = 0;
    double length = 0;
    double frequency = 0;
    double endFrequency = 0;
    double level = 0;
    double brightness = 0.5;
    double decay = 0;   // per second; 0 holds the level
    double pan = 0;     // -1 left, 0 centre, 1 right
};

void addNote(Stereo& sound, const Note& note)
{
    constexpr double edge = 0.006; // attack and release, seconds
    const auto first = static_cast<std::size_t>(note.start * sampleRate);
    const auto count = static_cast<std::size_t>(note.length * sampleRate);
    const double leftGain = std::sqrt((1 - note.pan) / 2);
    const double rightGain = std::sqrt((1 + note.pan) / 2);
    double phase = 0;
    for (std::size_t i = 0; i < count && first + i < sound.left.size(); ++i) {
        const double t = double(i) / sampleRate;
        const double frequency = note.frequency + (note.endFrequency - note.frequency) * t / note.length;
        phase += 2 * std::numbers::pi * frequency / sampleRate;
        const double envelope = std::min({1.0, t / edge, (note.length - t) / edge}) * std::exp(-note.decay * t);
        const double value = note.level * envelope * timbre(phase, note.brightness);
        sound.left[first + i] += float(value * leftGain);
        sound.right[first + i] += float(value * rightGain);
    }
}

double semitones(double frequency, double steps)
{
    return frequency * std::pow(2.0, steps / 12);
}

Stereo synthesise()
{
    Stereo sound;
    const auto total = static_cast<std::size_t>(cycles * cycleSeconds * sampleRate);
    sound.left.assign(total, 0.0f);
    sound.right.assign(total, 0.0f);

    for (int cycle = 0; cycle < cycles; ++cycle) {
        const double start = cycle * cycleSeconds;
        const double progress = double(cycle) / (cycles - 1); // 0 .. 1 over the whole sound
        const double lift = double(cycle / 3);               // a semitone higher every three cycles
        const double level = 0.35 + 0.65 * progress;          // rises by about 9 dB

        if (cycle < 5) {
            // Chime: two long bell notes, then a rest.
            const double a5 = semitones(880.0, lift);
            const double d6 = semitones(1174.66, lift);
            addNote(sound, {start, 0.62, a5, a5, level, 0.35, 1.6, 0});
            addNote(sound, {start + 0.62, 0.8, d6, d6, level, 0.35, 1.4, 0});
        } else if (cycle < 10) {
            // Four beeps up an arpeggio, twice, then a rest.
            const double steps[] = {0, 4, 7, 12};
            for (int group = 0; group < 2; ++group) {
                for (int beep = 0; beep < 4; ++beep) {
                    const double frequency = semitones(880.0, lift + steps[beep]);
                    const double at = start + group * 0.8 + beep * 0.18;
                    addNote(sound, {at, 0.13, frequency, frequency, level, 0.6, 0, 0});
                }
            }
        } else {
            // Fast upward chirps, alternating sides, then a short rest.
            for (int chirp = 0; chirp < 12; ++chirp) {
                const double from = semitones(1000.0, lift - 3);
                const double to = semitones(1400.0, lift - 3);
                const double pan = chirp % 2 ? 0.45 : -0.45;
                addNote(sound, {start + chirp * 0.125, 0.08, from, to, level, 0.8, 0, pan});
            }
        }
    }

    // Loud, but with the peak a little below full scale so that the encoder has headroom.
    float peak = 0;
    for (std::size_t i = 0; i < total; ++i)
        peak = std::max({peak, std::abs(sound.left[i]), std::abs(sound.right[i])});
    const float scale = 0.89f / peak;
    for (std::size_t i = 0; i < total; ++i) {
        sound.left[i] *= scale;
        sound.right[i] *= scale;
    }
    return sound;
}

bool encode(const Stereo& sound, const char* path)
{
    lame_global_flags* lame = lame_init();
    if (!lame)
        return false;
    lame_set_in_samplerate(lame, sampleRate);
    lame_set_out_samplerate(lame, sampleRate);
    lame_set_num_channels(lame, 2);
    lame_set_mode(lame, JOINT_STEREO);
    lame_set_brate(lame, 128);
    lame_set_quality(lame, 2);
    lame_set_bWriteVbrTag(lame, 1);
    if (lame_init_params(lame) < 0) {
        lame_close(lame);
        return false;
    }

    std::vector<unsigned char> mp3;
    std::vector<unsigned char> buffer(1 << 16);
    const std::size_t total = sound.left.size();
    constexpr std::size_t block = 4096;
    bool ok = true;
    for (std::size_t offset = 0; ok && offset < total; offset += block) {
        const int frames = int(std::min(block, total - offset));
        const int written = lame_encode_buffer_ieee_float(lame, sound.left.data() + offset, sound.right.data() + offset,
                                                          frames, buffer.data(), int(buffer.size()));
        ok = written >= 0;
        if (ok)
            mp3.insert(mp3.end(), buffer.begin(), buffer.begin() + written);
    }
    const int flushed = ok ? lame_encode_flush(lame, buffer.data(), int(buffer.size())) : -1;
    ok = flushed >= 0;
    if (ok) {
        mp3.insert(mp3.end(), buffer.begin(), buffer.begin() + flushed);
        // The Info tag (frame count, encoder delay and padding) goes into the
        // first frame, which the encoder left blank for it.
        const std::size_t tagSize = lame_get_lametag_frame(lame, buffer.data(), buffer.size());
        ok = tagSize > 0 && tagSize <= mp3.size();
        if (ok)
            std::copy_n(buffer.begin(), tagSize, mp3.begin());
    }
    lame_close(lame);

    std::FILE* file = ok ? std::fopen(path, "wb") : nullptr;
    if (!file)
        return false;
    ok = std::fwrite(mp3.data(), 1, mp3.size(), file) == mp3.size();
    return std::fclose(file) == 0 && ok;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.mp3\n", argv[0]);
        return 2;
    }
    if (!encode(synthesise(), argv[1])) {
        std::fprintf(stderr, "%s: cannot encode or write %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
