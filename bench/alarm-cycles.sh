#!/usr/bin/env bash
# Prints what many add/modify/delete rounds through the windows leave behind
# (release build, offscreen): heap, resident memory, widgets, objects,
# timers, threads and file descriptors after 0, 10 %, 50 % and 100 % of them.
# Usage: bench/alarm-cycles.sh [rounds]   (default 1000)
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build/release-bench -G Ninja -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build build/release-bench --target alarm_cycles_bench > /dev/null
build/release-bench/bench/alarm_cycles_bench "${1:-1000}"
