#!/usr/bin/env bash
# A private virtual X desktop: Xvfb on a free display with the openbox window
# manager. It prints the display (":N") on standard output once the window
# manager has claimed the screen, then stays until it is sent SIGTERM or
# SIGINT, or the process that started it has gone, and ends both servers by
# their ids.
# Every wait has a time limit; on a failure it prints why on standard error
# and exits with 1 without printing a display.
#   tools/desktop.sh [WIDTHxHEIGHT]        (default 1280x800)
# From a shell script:
#   exec {desktop}< <(tools/desktop.sh)
#   desktop_pid=$!
#   read -r -t 30 DISPLAY <&$desktop && export DISPLAY
#   trap 'kill $desktop_pid' EXIT
set -uo pipefail

size=${1:-1280x800}
xvfb=""
wm=""

finish() {
    [ -n "$wm" ] && kill "$wm" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    [ -n "$wm" ] && wait "$wm" 2>/dev/null
    [ -n "$xvfb" ] && wait "$xvfb" 2>/dev/null
    exit "${1:-0}"
}
fail() { echo "desktop: $*" >&2; finish 1; }
trap 'finish 0' TERM INT HUP

# Xvfb chooses a free display itself and writes its number into the pipe.
exec {numberfd}< <(exec Xvfb -displayfd 1 -screen 0 "${size}x24" -nolisten tcp 2>/dev/null)
xvfb=$!
read -r -t 20 number <&$numberfd || fail "Xvfb did not report a display"
exec {numberfd}<&-
export DISPLAY=:$number

# Waits up to $1 tenths of a second for the command after it to succeed.
within() {
    local tenths=$1; shift
    for _ in $(seq "$tenths"); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
    return 1
}
within 100 xdpyinfo || fail "Xvfb on $DISPLAY does not answer"

# Openbox now and then fails on a display that has only just come up, so it is
# started again until it has claimed the screen.
for _ in 1 2 3 4 5; do
    openbox >/dev/null 2>&1 </dev/null &
    wm=$!
    within 50 wmctrl -m && break
    kill "$wm" 2>/dev/null; wait "$wm" 2>/dev/null
    wm=""
done
[ -n "$wm" ] || fail "the window manager did not claim $DISPLAY"

echo "$DISPLAY"
# Stay until told to stop, or until the process that started us has gone.
parent=$PPID
while kill -0 "$xvfb" 2>/dev/null && kill -0 "$parent" 2>/dev/null; do
    sleep 1 &
    wait $!
done
finish 0
