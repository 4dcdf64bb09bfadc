#!/usr/bin/env bash
# Regenerates resources/alarm.mp3, the built-in alarm sound, from the
# synthesiser in tools/alarmsound (needs g++ and libmp3lame-dev).
set -euo pipefail
cd "$(dirname "$0")/.."

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
g++ -std=c++20 -O2 -Wall -Wextra -o "$work/alarmsound" tools/alarmsound/main.cpp -lmp3lame
"$work/alarmsound" resources/alarm.mp3
echo "resources/alarm.mp3: $(stat -c %s resources/alarm.mp3) bytes"
