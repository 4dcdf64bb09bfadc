#!/usr/bin/env bash
# Prints how long a mebibyte of text written into each kind of unit holds the
# UI thread (release build, offscreen).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build/release-bench -G Ninja -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build build/release-bench --target largetext_bench > /dev/null
build/release-bench/bench/largetext_bench
