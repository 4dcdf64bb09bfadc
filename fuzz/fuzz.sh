#!/usr/bin/env bash
# Builds the sound fuzzers with clang and runs one of them for a given time.
#   fuzz/fuzz.sh reader 1800     the reader and decoder for 30 minutes
#   fuzz/fuzz.sh pipeline 1800   the whole pipeline thread
#   fuzz/fuzz.sh replay          every kept crashing input, once
# The corpus grows in build/fuzz/corpus-TARGET (seeded by the tests' MP3
# generator); new crashing inputs land in build/fuzz/crashes and belong in
# fuzz/regressions once fixed.
set -euo pipefail
cd "$(dirname "$0")/.."

target=${1:?usage: fuzz/fuzz.sh reader|pipeline|replay [SECONDS]}
seconds=${2:-60}
build=build/fuzz
tools/install-deps.sh fuzz
cmake -S fuzz -B $build -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build $build >/dev/null

if [ "$target" = replay ]; then
    exec $build/replay fuzz/regressions
fi

corpus=$build/corpus-$target
if [ ! -d $corpus ]; then
    mkdir -p $corpus
    $build/makecorpus $corpus
fi
mkdir -p $build/crashes
# Inputs up to 64 KiB, so that tags and several frames fit; ten seconds per input
# at most (generous: the machine is shared) and 2 GiB: a slow or greedy input is
# a finding like a crash. The pipeline target's process reaches 500 MiB in
# half an hour with a live heap of 25 MiB (quarantine, shadow, thread stacks).
ASAN_OPTIONS=detect_leaks=1 $build/${target}fuzzer $corpus \
    -max_total_time=$seconds -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix=$build/crashes/ -print_final_stats=1
