#!/usr/bin/env bash
# Prints the benchmarks: line-break throughput on the host, then load and save through the editor under
# Wine beside the bare EDIT control and plain file I/O measured in the same run.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/wine-env.sh

echo "== host"
build/host/tovel_bench_host

echo
echo "== Win32 (Wine)"
if [ -n "${DISPLAY:-}" ]; then
    wine build/win32/tovel_bench_win32.exe
else
    xvfb-run -a -s "-screen 0 1280x1024x24" wine build/win32/tovel_bench_win32.exe
fi
