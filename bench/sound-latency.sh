#!/usr/bin/env bash
# Prints how fast sound starts and stops through a real sound server: a
# private PulseAudio with a null sink (started and stopped here, nothing of
# the machine's is touched) plays the built-in sound through libout123.
#   start latency: playFiles() until the first loud sample on the sink's monitor
#   stop latency:  stopAllSound() until the last loud sample on the monitor
# Also the CPU the whole process used while the sound played.
# Usage: bench/sound-latency.sh [runs]   (default 10; needs pulseaudio and parec)
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-10}
cmake -S . -B build/release-bench -G Ninja -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build build/release-bench --target sound_pulse_tests > /dev/null

TIKORA_LATENCY_RUNS=$runs build/release-bench/tests/host/sound/sound_pulse_tests --gtest_brief=1 \
    | grep '^sound start latency' \
    | tee /dev/stderr \
    | awk '
        { start[NR] = $4; stop[NR] = $8; cpu[NR] = $(NF - 1) }
        function sort(values, n,    i, j, t) {
            for (i = 2; i <= n; i++)
                for (j = i; j > 1 && values[j - 1] + 0 > values[j] + 0; j--) { t = values[j]; values[j] = values[j - 1]; values[j - 1] = t }
        }
        function report(name, values, n, unit) {
            sort(values, n)
            printf "%-14s min %6.1f  median %6.1f  max %6.1f %s\n", name, values[1], values[int((n + 1) / 2)], values[n], unit
        }
        END {
            if (NR == 0) { print "no measurement (is pulseaudio installed?)"; exit 1 }
            printf "%d runs\n", NR
            report("start latency", start, NR, "ms")
            report("stop latency", stop, NR, "ms")
            report("cpu playing", cpu, NR, "%")
        }'
