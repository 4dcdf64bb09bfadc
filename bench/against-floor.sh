#!/usr/bin/env bash
# Measures the program against the toolkit floor (bench/floor: a bare Qt 6
# Widgets window with the same Chinese texts, the CJK digit font and one 1 s
# timer), both release builds, in the same run on a private virtual desktop
# and a private PulseAudio (nothing of the machine's is touched), and prints:
#   start-up   exec until the main window is mapped, from the X server's map
#              event (bench/mapwait), median of RUNS after one warm-up each
#   memory     resident and proportional set 10 s after start
#   idle       CPU and wake-ups (context switches, all threads) per second
#              over IDLE_SECONDS, the program holding five alarms
#   ringing    the program's CPU over RING_SECONDS while an alarm rings, shake
#              off and on (its clock set just before the alarm's minute)
#   sound      start and stop latency, from bench/sound-latency.sh
# with the ratios to the floor.
# Usage: bench/against-floor.sh [RUNS]    (default 5; IDLE_SECONDS=60 RING_SECONDS=30)
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-5}
idle_seconds=${IDLE_SECONDS:-60}
ring_seconds=${RING_SECONDS:-30}
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build build/bench --target tikora floor_window mapwait > /dev/null
program=$PWD/build/bench/app/tikora
floor=$PWD/build/bench/bench/floor_window
mapwait=$PWD/build/bench/bench/mapwait
faketime_lib=$(ls /usr/lib/*/faketime/libfaketimeMT.so.1 2>/dev/null | head -n 1)

# Everything started here is ended by its id on the way out.
started=()
work=$(mktemp -d /tmp/tikora-bench-XXXXXX)
cleanup() {
    for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

exec {desktop}< <(tools/desktop.sh)
started+=($!)
read -r -t 30 DISPLAY <&$desktop || { echo "no virtual desktop" >&2; exit 1; }
export DISPLAY
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

# A private sound server with a null sink, as the sound tests have it.
mkdir -p "$work/pulse/runtime" && chmod 700 "$work/pulse/runtime"
HOME=$work/pulse XDG_RUNTIME_DIR=$work/pulse/runtime PULSE_RUNTIME_PATH=$work/pulse/runtime \
    PULSE_STATE_PATH=$work/pulse/state pulseaudio --daemonize=no -n --system=no --use-pid-file=no \
    --exit-idle-time=-1 --disallow-exit --disable-shm=yes --log-level=error \
    --load="module-null-sink sink_name=bench_null rate=44100 channels=2 norewinds=1" \
    --load="module-native-protocol-unix auth-anonymous=1 socket=$work/pulse/native" 2>/dev/null &
started+=($!)
export PULSE_SERVER=unix:$work/pulse/native

# waits SECONDS COMMAND...: retries COMMAND every 0.1 s for at most SECONDS.
waits() {
    local tenths=$(( $1 * 10 )); shift
    for _ in $(seq "$tenths"); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
    return 1
}
window_of() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1; }
window_appears() { [ -n "$(window_of "$1")" ]; }
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep 0.2; }

# add_alarm HOUR [shake]: through the editor, at the places of its layout.
add_alarm() {
    local main editor
    main=$(window_of "Tikora~闹钟")
    click "$main" 256 24
    waits 5 window_appears "添加闹钟" || return 1
    editor=$(window_of "添加闹钟")
    if [ -n "$1" ]; then click "$editor" 52 48; xdotool key ctrl+a BackSpace type "$1"; fi
    [ "${2:-}" = shake ] && click "$editor" 180 112
    click "$editor" 97 361
    # The fifth alarm brings the limit's message.
    sleep 0.5
    if window_appears "信息："; then xdotool windowactivate --sync "$(window_of "信息：")" key Return; fi
    waits 5 eval '! window_appears 添加闹钟'
}

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR == 0) print "n/a"; else printf "%.1f", v[int((NR + 1) / 2)] }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (a == "n/a" || b == "n/a" || b == 0) print "n/a"; else printf "%.2f", a / b }'; }
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
# thread_switches PID: "tid count" for each thread (voluntary and involuntary context switches).
thread_switches() {
    for task in /proc/"$1"/task/*; do
        awk -v tid="${task##*/}" '/_ctxt_switches/ { sum += $2 } END { print tid, sum + 0 }' "$task/status" 2>/dev/null
    done
}
# woken BEFORE AFTER: switches between two snapshots; a thread that ended in
# between (Qt's pool threads expire when idle) counts up to its last snapshot,
# which is a little low, never negative.
woken() {
    awk 'NR == FNR { before[$1] = $2; next } { total += $2 - (($1 in before) ? before[$1] : 0) } END { print total + 0 }' \
        <(echo "$1") <(echo "$2")
}
hz=$(getconf CLK_TCK)

# measure PID... over SECONDS: prints "cpu-percent wake-ups-per-second" per pid, in order.
measure() {
    local seconds=$1; shift
    local -a ticks waking
    local index=0
    for pid in "$@"; do ticks[$index]=$(cpu_ticks "$pid"); waking[$index]=$(thread_switches "$pid"); index=$((index + 1)); done
    sleep "$seconds"
    index=0
    for pid in "$@"; do
        awk -v t=$(( $(cpu_ticks "$pid") - ticks[index] )) -v w="$(woken "${waking[index]}" "$(thread_switches "$pid")")" \
            -v hz="$hz" -v s="$seconds" 'BEGIN { printf "%.2f %.1f\n", t * 100 / hz / s, w / s }'
        index=$((index + 1))
    done
}

echo "measuring on $DISPLAY: start-up $runs runs, idle ${idle_seconds} s, ringing ${ring_seconds} s twice"

# Start-up, the two programs taking turns so that both see the same machine.
: > "$work/program.map"; : > "$work/floor.map"
for run in $(seq 0 "$runs"); do
    for who in program floor; do
        binary=$program; [ $who = floor ] && binary=$floor
        result=$("$mapwait" 10000 "$binary" 2>/dev/null | awk '/^map [0-9]/ { print $2 }')
        [ "$run" -gt 0 ] && [ -n "$result" ] && echo "$result" >> "$work/$who.map"
    done
done
program_map=$(median < "$work/program.map"); floor_map=$(median < "$work/floor.map")

# Memory after 10 s, then idle cost with five alarms set in the program.
( cd "$work" && exec "$program" ) > /dev/null 2>&1 &
program_pid=$!; started+=($program_pid)
"$floor" > /dev/null 2>&1 &
floor_pid=$!; started+=($floor_pid)
waits 10 window_appears "Tikora~闹钟" || true
sleep 10
memory() { awk '/^Rss:/ { r = $2 } /^Pss:/ { p = $2 } END { printf "%d %d", r, p }' "/proc/$1/smaps_rollup"; }
read -r program_rss program_pss <<< "$(memory $program_pid)"
read -r floor_rss floor_pss <<< "$(memory $floor_pid)"

hour=$(( ($(date +%-H) + 12) % 24 ))
alarms=0
for _ in 1 2 3 4 5; do add_alarm "$hour" && alarms=$((alarms + 1)); done
sleep 2
{ read -r program_cpu program_wake; read -r floor_cpu floor_wake; } < <(measure "$idle_seconds" "$program_pid" "$floor_pid")
kill "$program_pid" "$floor_pid"

# Ringing: the clock a few seconds before a minute, the editor's proposal
# (that minute) confirmed, and the ringing window left alone.
ringing() {
    local pid
    ( cd "$work" && LD_PRELOAD=$faketime_lib FAKETIME="@2026-03-04 07:04:52" FAKETIME_DONT_FAKE_MONOTONIC=1 \
        exec "$program" ) > /dev/null 2>&1 &
    pid=$!; started+=($pid)
    waits 10 window_appears "Tikora~闹钟" && add_alarm "" "$1" && waits 20 window_appears "闹钟1" \
        && sleep 1 && measure "$ring_seconds" "$pid" | awk '{ print $1 }' || echo "n/a"
    kill "$pid" 2>/dev/null || true
}
ring_still=$(ringing "")
ring_shake=$(ringing shake)

printf '\n%-34s %12s %12s %8s\n' "" "program" "floor" "ratio"
printf '%-34s %12s %12s %8s\n' "start-up to mapped (ms, median)" "$program_map" "$floor_map" "$(ratio "$program_map" "$floor_map")"
printf '%-34s %12s %12s %8s\n' "resident memory after 10 s (KiB)" "$program_rss" "$floor_rss" "$(ratio "$program_rss" "$floor_rss")"
printf '%-34s %12s %12s %8s\n' "proportional memory (KiB)" "$program_pss" "$floor_pss" "$(ratio "$program_pss" "$floor_pss")"
printf '%-34s %12s %12s %8s\n' "idle CPU (%, $alarms alarms set)" "$program_cpu" "$floor_cpu" \
    "$(awk -v a="$program_cpu" -v b="$floor_cpu" 'BEGIN { printf "%+.2f pp", a - b }')"
printf '%-34s %12s %12s %8s\n' "idle wake-ups (/s)" "$program_wake" "$floor_wake" \
    "$(awk -v a="$program_wake" -v b="$floor_wake" 'BEGIN { printf "%+.1f", a - b }')"
printf '%-34s %12s\n' "ringing CPU, shake off (%)" "$ring_still"
printf '%-34s %12s\n' "ringing CPU, shake on (%)" "$ring_shake"
echo
bench/sound-latency.sh 5 2>/dev/null | grep -E 'latency|cpu playing' || echo "sound latency: n/a"
