#!/usr/bin/env bash
# Prints the program's start-up time, memory and idle cost on a private
# virtual desktop (Xvfb with a window manager; nothing of the machine's is
# touched):
#   start-up:  exec until the main window is mapped (median of several runs)
#   memory:    resident set after start-up, and its peak
#   idle:      CPU time and wake-ups (context switches, all threads) over 10 s
# Usage: bench/startup.sh [runs]   (default 5)
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-5}
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build build/bench --target tikora > /dev/null
program=$PWD/build/bench/app/tikora

exec {displayfd}< <(Xvfb -displayfd 1 -screen 0 1280x800x24 -nolisten tcp 2>/dev/null)
read -r number <&$displayfd
export DISPLAY=:$number
unset QT_QPA_PLATFORM
openbox >/dev/null 2>&1 &
wm=$!
cleanup() { kill "$wm" 2>/dev/null || true; pkill -f "Xvfb -displayfd 1" -P $$ 2>/dev/null || true; }
trap cleanup EXIT
for _ in $(seq 50); do wmctrl -m >/dev/null 2>&1 && break; sleep 0.1; done

# Start-up: nanoseconds from exec until xdotool sees the window mapped.
startups=()
for _ in $(seq "$runs"); do
    begin=$(date +%s%N)
    "$program" >/dev/null 2>&1 &
    pid=$!
    until xdotool search --onlyvisible --pid "$pid" >/dev/null 2>&1; do sleep 0.005; done
    startups+=($(( ($(date +%s%N) - begin) / 1000000 )))
    kill "$pid"; wait "$pid" 2>/dev/null || true
done
sorted=$(printf '%s\n' "${startups[@]}" | sort -n)
printf 'start-up        median %4d ms   (runs: %s)\n' "$(echo "$sorted" | sed -n "$(( (runs + 1) / 2 ))p")" "${startups[*]}"

# Memory and idle cost of one running instance.
"$program" >/dev/null 2>&1 &
pid=$!
xdotool search --sync --onlyvisible --pid "$pid" >/dev/null 2>&1
sleep 2
printf 'memory          resident %6d KiB   peak %6d KiB\n' \
    "$(awk '/VmRSS/ {print $2}' /proc/$pid/status)" "$(awk '/VmHWM/ {print $2}' /proc/$pid/status)"

cpu_ticks() { awk '{print $14 + $15}' /proc/$pid/stat; }
switches() { cat /proc/$pid/task/*/status | awk '/_ctxt_switches/ {sum += $2} END {print sum}'; }
ticks_before=$(cpu_ticks); switches_before=$(switches)
sleep 10
ticks_after=$(cpu_ticks); switches_after=$(switches)
hz=$(getconf CLK_TCK)
awk -v ticks=$((ticks_after - ticks_before)) -v hz="$hz" -v switches=$((switches_after - switches_before)) \
    -v threads="$(ls /proc/$pid/task | wc -l)" \
    'BEGIN { printf "idle            cpu %5.2f %%   wake-ups %5.1f /s   threads %d\n", ticks * 100 / hz / 10, switches / 10, threads }'
kill "$pid"; wait "$pid" 2>/dev/null || true
