#!/usr/bin/env bash
# Installs what is missing, builds the program and its tests, and runs them all.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh test
werror=OFF
[ -n "${CI:-}" ] && werror=ON
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTIKORA_WARNINGS_AS_ERRORS=$werror
cmake --build build/test
cd build/test
ctest --output-on-failure --timeout 300 -j2
