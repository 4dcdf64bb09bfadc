#!/usr/bin/env bash
# Prints the cost of the window runtime's busiest calls (release build, offscreen).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build/release-bench -G Ninja -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build build/release-bench --target runtime_bench > /dev/null
build/release-bench/bench/runtime_bench
