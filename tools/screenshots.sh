#!/usr/bin/env bash
# Starts the program on a virtual X display and writes a PNG of each window
# into the given folder (default: screenshots/). Needs a built tree:
#   tools/screenshots.sh [build-dir] [out-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/test}
out=${2:-screenshots}
mkdir -p "$out"

# A private desktop with a window manager, so the pictures show the title bar
# with caption and icon.
exec {desktop}< <(tools/desktop.sh)
desktop_pid=$!
trap 'kill $(jobs -p) 2>/dev/null || true; kill "$desktop_pid" 2>/dev/null || true' EXIT
read -r -t 30 DISPLAY <&$desktop || { echo "no virtual desktop" >&2; exit 1; }
export DISPLAY
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

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
    # The frame the window manager put around the window is its parent.
    local frame
    frame=$(xwininfo -id "$window" -children | awk '/Parent window id:/ {print $4}')
    import -window "${frame:-$window}" "$out/$name.png"
    echo "$out/$name.png"
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}

shot main-window "$build/app/tikora"
shot settings-window "$build/tools/tikora-preview" SettingsWindow
