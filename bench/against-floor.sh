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
#   sound      start and stop latency of the real program ringing an alarm
#              (median of LATENCY_RUNS), its sound recorded from the null
#              sink's monitor (bench/loudness timestamps each loud piece):
#              start from the program's play request (its own log line,
#              timestamped as it arrives through a pipe) to the first loud
#              piece, stop from just before "停止" is clicked to the last one
# with the ratios to the floor. The alarms are added through the editor, each
# step waiting for what it brings about; the idle minute is measured only
# once five alarms are set (the limit's message comes with the fifth).
# Usage: bench/against-floor.sh [RUNS]
#   (default 5; IDLE_SECONDS=60 RING_SECONDS=30 LATENCY_RUNS=5)
set -euo pipefail
trap 'echo "bench/against-floor.sh: stopped by a failed command at line $LINENO" >&2' ERR
cd "$(dirname "$0")/.."

runs=${1:-5}
idle_seconds=${IDLE_SECONDS:-60}
ring_seconds=${RING_SECONDS:-30}
latency_runs=${LATENCY_RUNS:-5}
cmake -S . -B build/release-bench -G Ninja -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build build/release-bench --target tikora floor_window mapwait loudness > /dev/null
program=$PWD/build/release-bench/app/tikora
floor=$PWD/build/release-bench/bench/floor_window
mapwait=$PWD/build/release-bench/bench/mapwait
loudness=$PWD/build/release-bench/bench/loudness
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
# window_of TITLE: a visible window with TITLE, of the process app_pid when
# it is set (the floor's window has the main window's title).
window_of() {
    if [ -n "${app_pid:-}" ]; then xdotool search --all --onlyvisible --pid "$app_pid" --name "$1"
    else xdotool search --onlyvisible --name "$1"; fi 2>/dev/null | head -n 1
}
window_appears() { [ -n "$(window_of "$1")" ]; }
window_gone() { ! window_appears "$1"; }
is_active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
activate() { xdotool windowactivate --sync "$1" > /dev/null 2>&1; waits 5 is_active "$1"; }
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; }
closed_or_limit() { window_gone "添加闹钟" || window_appears "信息："; }
fail() { echo "$*" >&2; return 1; }

# add_alarm HOUR [shake]: adds an alarm through the editor, at the places of
# its layout, each step waiting (5 s at most) for what it brings about.
# Prints "limit" when the limit's message came; fails when a step did not
# happen.
add_alarm() {
    local main editor message limit=""
    main=$(window_of "Tikora~闹钟")
    [ -n "$main" ] || fail "no main window" || return 1
    activate "$main" || fail "the main window did not take the focus" || return 1
    click "$main" 256 24
    waits 5 window_appears "添加闹钟" || fail "the editor did not open" || return 1
    editor=$(window_of "添加闹钟")
    activate "$editor" || fail "the editor did not take the focus" || return 1
    if [ -n "$1" ]; then click "$editor" 52 48; xdotool key ctrl+a BackSpace type "$1"; fi
    [ "${2:-}" = shake ] && click "$editor" 180 112
    click "$editor" 97 361
    # The editor closes, or first shows the limit's message (with the fifth alarm).
    waits 5 closed_or_limit || fail "the editor did not close" || return 1
    if window_appears "信息："; then
        limit=limit
        message=$(window_of "信息：")
        activate "$message" && xdotool key Return
        waits 5 window_gone "信息：" || fail "the limit's message did not close" || return 1
    fi
    waits 5 window_gone "添加闹钟" || fail "the editor did not close" || return 1
    echo "$limit"
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
        result=$("$mapwait" 10000 "$binary" 2>/dev/null | awk '/^map [0-9]/ { print $2 }') || result=""
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

app_pid=$program_pid
hour=$(( ($(date +%-H) + 12) % 24 ))
# Five alarms, the limit's message with the fifth and not before: then the
# list holds five.
alarms=0
for index in 1 2 3 4 5; do
    added=$(add_alarm "$hour") || { echo "alarm $index could not be added" >&2; exit 1; }
    if [ "$added" = limit ] && [ "$index" -lt 5 ]; then echo "the limit came with alarm $index" >&2; exit 1; fi
    if [ "$added" != limit ] && [ "$index" -eq 5 ]; then echo "no limit with the fifth alarm" >&2; exit 1; fi
    alarms=$index
done
sleep 2
{ read -r program_cpu program_wake; read -r floor_cpu floor_wake; } < <(measure "$idle_seconds" "$program_pid" "$floor_pid")
kill "$program_pid" "$floor_pid"
app_pid=""

# Ringing: the clock a few seconds before a minute, the editor's proposal
# (that minute) confirmed, and the ringing window left alone.
ringing() {
    local pid app_pid
    ( cd "$work" && LD_PRELOAD=$faketime_lib FAKETIME="@2026-03-04 07:04:52" FAKETIME_DONT_FAKE_MONOTONIC=1 \
        exec "$program" ) > /dev/null 2>&1 &
    pid=$!; started+=($pid); app_pid=$pid
    waits 10 window_appears "Tikora~闹钟" && add_alarm "" "$1" > /dev/null && waits 20 window_appears "闹钟1" \
        && sleep 1 && measure "$ring_seconds" "$pid" | awk '{ print $1 }' || echo "n/a"
    kill "$pid" 2>/dev/null || true
}
ring_still=$(ringing "")
ring_shake=$(ringing shake)

# One alarm rung through the real program with its sound recorded from the
# null sink's monitor; prints "START STOP" in milliseconds, "n/a n/a" when
# the alarm did not ring. The program logs its play requests; each line is
# timestamped as it arrives. The pointer rests on "停止" before the timed click.
stamp_lines() { while IFS= read -r line; do printf '%s %s\n' "$EPOCHREALTIME" "$line"; done; }
sound_heard() { [ -s "$work/loud" ]; }
quiet_now() { awk -v now="$EPOCHREALTIME" 'END { exit !(NR > 0 && now - $1 > 0.2) }' "$work/loud"; }
sounding_since() { [ "$(wc -l < "$work/loud")" -gt "$1" ]; }
latency_run() {
    local pid app_pid parec_pid loud_pid ring count clicked requested
    rm -f "$work/pcm" && mkfifo "$work/pcm" && : > "$work/loud"
    "$loudness" 0 < "$work/pcm" > "$work/loud" &
    loud_pid=$!; started+=($loud_pid)
    parec --device=bench_null.monitor --format=s16le --rate=44100 --channels=2 --latency-msec=10 > "$work/pcm" 2>/dev/null &
    parec_pid=$!; started+=($parec_pid)
    ( cd "$work" && QT_LOGGING_RULES="tikora.sound.debug=true" LD_PRELOAD=$faketime_lib \
        FAKETIME="@2026-03-04 07:04:52" FAKETIME_DONT_FAKE_MONOTONIC=1 exec "$program" ) \
        2> >(stamp_lines > "$work/log") > /dev/null &
    pid=$!; started+=($pid); app_pid=$pid
    if waits 10 window_appears "Tikora~闹钟" && add_alarm "" > /dev/null && waits 20 window_appears "闹钟1" \
        && waits 5 sound_heard; then
        ring=$(window_of "闹钟1")
        # The sound is beeps with exact silence between them: the click comes
        # a little after a beep has begun, so that it stops a sounding beep.
        xdotool mousemove --window "$ring" 228 180
        waits 5 quiet_now && count=$(wc -l < "$work/loud") && waits 5 sounding_since "$count" && sleep 0.2
        clicked=$EPOCHREALTIME
        xdotool click 1
        waits 5 window_gone "闹钟1" && sleep 1
        requested=$(awk '/playing/ { print $1; exit }' "$work/log")
        # A stop counts only when sound was coming at the click.
        awk -v requested="$requested" -v clicked="$clicked" '
            NR == 1 { first = $1 } { last = $1 } $1 <= clicked { before = $1 }
            END {
                start = (requested == "") ? "n/a" : sprintf("%.1f", (first - requested) * 1000)
                stop = (before == "" || clicked - before > 0.05) ? "n/a" : sprintf("%.1f", (last - clicked) * 1000)
                print start, stop
            }' "$work/loud"
    else
        echo "n/a n/a"
    fi
    kill "$pid" "$parec_pid" "$loud_pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}
: > "$work/start.lat"; : > "$work/stop.lat"
for _ in $(seq "$latency_runs"); do
    read -r start stop < <(latency_run)
    [ "$start" != n/a ] && echo "$start" >> "$work/start.lat"
    [ "$stop" != n/a ] && echo "$stop" >> "$work/stop.lat"
done
start_latency=$(median < "$work/start.lat"); stop_latency=$(median < "$work/stop.lat")

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
printf '%-34s %12s   (%s of %s rings)\n' "sound start latency (ms, median)" "$start_latency" \
    "$(wc -l < "$work/start.lat")" "$latency_runs"
printf '%-34s %12s   (%s of %s rings)\n' "sound stop latency (ms, median)" "$stop_latency" \
    "$(wc -l < "$work/stop.lat")" "$latency_runs"
