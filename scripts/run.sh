#!/usr/bin/env bash
# Starts tovel.exe under Wine. With a display, on that display; without one, on a virtual display, then
# writes a screenshot of the started editor to build/screenshot.png and closes it.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/wine-env.sh
EXE="$PWD/build/win32/tovel.exe"

if have_display; then
    exec wine "$EXE" "$@"
fi

export DISPLAY=:$(( 90 + RANDOM % 100 ))
Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
trap 'wineserver -k >/dev/null 2>&1 || true; kill $xvfb_pid 2>/dev/null || true' EXIT
sleep 1
wine "$EXE" "$@" &
for _ in $(seq 1 60); do
    xdotool search --name 'tovel editor' >/dev/null 2>&1 && break
    sleep 0.5
done
sleep 2
import -window root build/screenshot.png
echo "No display: tovel.exe ran on a virtual display; screenshot written to build/screenshot.png"
