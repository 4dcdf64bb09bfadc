// Timestamps what a sound monitor carries: reads 16-bit stereo samples (a
// PulseAudio monitor through parec) from standard input and prints, for each
// piece that holds a loud sample, the wall-clock time at which the piece
// arrived (seconds, to the microsecond, like bash's EPOCHREALTIME) and its
// peak. A piece is what one read returns, so at parec's 10 ms latency about
// 10 ms of sound.
//   parec ... --format=s16le --channels=2 --latency-msec=10 | loudness [THRESHOLD]
// Output is line-buffered, so a reader sees each piece as it comes.

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    const int threshold = argc > 1 ? std::atoi(argv[1]) : 1000;
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    unsigned char buffer[8192];
    std::size_t carried = 0; // bytes of a sample split between two reads
    for (;;) {
        const ssize_t got = ::read(STDIN_FILENO, buffer + carried, sizeof buffer - carried);
        if (got <= 0)
            return 0;
        const auto arrival = std::chrono::system_clock::now().time_since_epoch();
        const std::size_t bytes = carried + static_cast<std::size_t>(got);
        int peak = 0;
        for (std::size_t at = 0; at + 1 < bytes; at += 2) {
            std::int16_t sample;
            std::memcpy(&sample, buffer + at, sizeof sample);
            peak = std::max(peak, std::abs(static_cast<int>(sample)));
        }
        carried = bytes % 2;
        if (carried)
            buffer[0] = buffer[bytes - 1];
        if (peak > threshold) {
            const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(arrival).count();
            std::printf("%lld.%06lld %d\n", static_cast<long long>(micros / 1000000),
                        static_cast<long long>(micros % 1000000), peak);
        }
    }
}
