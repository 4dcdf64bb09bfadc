#!/usr/bin/env bash
# Installs what is missing, builds the program and its tests, and runs them all.
# In CI, or with the argument "sanitizers", the suite then runs again under
# AddressSanitizer and UndefinedBehaviorSanitizer (everything) and
# ThreadSanitizer (the threaded tests), from the presets in CMakePresets.json.
# The tsan preset leaves out two tests that measure time (stop latency, timer
# ticks during a modal wait): under ThreadSanitizer everything runs several
# times slower, which says nothing about races. The asan preset leaves out the
# test of an allocation that cannot be had: AddressSanitizer's own allocator
# ends the process on such a request before the program can report it.
# The end-to-end scenarios start the instrumented program with libfaketime
# preloaded ahead of the sanitizer's runtime, which AddressSanitizer accepts
# once told not to insist on coming first (verify_asan_link_order=0).
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh test
werror=OFF
[ -n "${CI:-}" ] && werror=ON
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTIKORA_WARNINGS_AS_ERRORS=$werror
cmake --build build/test
(cd build/test && ctest --output-on-failure --timeout 300 -j2)

if [ -n "${CI:-}" ] || [ "${1:-}" = sanitizers ]; then
    for preset in asan tsan; do
        cmake --preset $preset -DTIKORA_WARNINGS_AS_ERRORS=$werror
        cmake --build --preset $preset
        ctest --preset $preset
    done
fi
