#!/usr/bin/env bash
# Starts the program on a virtual X display and writes a PNG of each window
# into the given folder (default: screenshots/). Needs a built tree:
#   tools/screenshots.sh [build-dir] [out-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/test}
out=${2:-screenshots}
mkdir -p "$out"

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $(jobs -p) 2>/dev/null || true; kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

# shot NAME COMMAND...: runs COMMAND, waits for its window, saves NAME.png.
shot() {
    local name=$1; shift
    "$@" &
    local pid=$! window=""
    for _ in $(seq 100); do
        window=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n 1) && [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] || { echo "no window for $name" >&2; kill "$pid"; return 1; }
    sleep 1.5  # let the clock tick and the window paint
    import -window "$window" "$out/$name.png"
    echo "$out/$name.png"
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}

shot main-window "$build/app/tikora"
shot settings-window "$build/tools/tikora-preview" SettingsWindow
