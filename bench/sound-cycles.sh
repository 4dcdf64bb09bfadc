#!/usr/bin/env bash
# Prints what many play/stop cycles through the real output leave behind:
# heap in use, threads, file descriptors and peak memory before and after,
# once with no sound server at all and once with a private PulseAudio
# (started and stopped here, nothing of the machine's is touched).
# Usage: bench/sound-cycles.sh [cycles]   (default 10000)
set -euo pipefail
cd "$(dirname "$0")/.."

cycles=${1:-10000}
cmake -S . -B build/release-bench -G Ninja -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build build/release-bench --target sound_cycle_tests > /dev/null

log=$(mktemp)
trap 'rm -f "$log"' EXIT
TIKORA_SOUND_CYCLES=$cycles build/release-bench/tests/host/sound/sound_cycle_tests --gtest_brief=1 2>"$log" \
    | grep -E 'cycles in|FAILED'
echo "output opens that failed and were logged: $(grep -c 'no sound output' "$log" || true)"
