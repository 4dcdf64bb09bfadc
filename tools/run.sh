#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it. Without a
# graphical desktop (neither $DISPLAY nor $WAYLAND_DISPLAY set) it starts a
# virtual one with Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh run
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTIKORA_BUILD_TESTS=OFF
cmake --build build/release

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No DISPLAY nor WAYLAND_DISPLAY: running on a virtual X display (Xvfb)."
    exec xvfb-run -a -s "-screen 0 1280x800x24" build/release/app/tikora
fi
exec build/release/app/tikora
