#!/usr/bin/env bash
# Prints the benchmarks: line-break throughput and replace-all on the host, then under Wine the editor's
# open, keystroke, memory and save figures beside a bare EDIT control and plain file I/O, the gutter, and
# the replace and delete commands beside the editor's own get and set, and the file formats (opening UTF-8
# and EUC-JP beside the same text in Shift-JIS, typing in UTF-8, detection and decoding throughput), each
# floor measured in the same run; last, big files of 10 MB, 100 MB and 1 GB and a 10 MB single line in the
# main window beside a bare editing component fed the same file.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/wine-env.sh

echo "== host"
build/host/tovel_bench_host
build/host/tovel_bench_tools
build/host/tovel_bench_formats_host

# A wineserver left from another display cannot show windows.
wineserver -k >/dev/null 2>&1 || true
run_wine() {
    if have_display; then
        wine "$@"
    else
        xvfb-run -a -s "-screen 0 1280x1024x24" wine "$@"
    fi
    wineserver -k >/dev/null 2>&1 || true
}

echo
echo "== Win32 (Wine): open, keystroke, memory and save"
run_wine build/win32/tovel_bench_win32.exe

echo
echo "== Win32 (Wine): line-number gutter"
run_wine build/win32/tovel_bench_gutter.exe

echo
echo "== Win32 (Wine): replace-all and delete-all"
run_wine build/win32/tovel_bench_tools_win32.exe

echo
echo "== Win32 (Wine): file formats"
run_wine build/win32/tovel_bench_formats.exe

echo
echo "== Win32 (Wine): the recovery copy"
run_wine build/win32/tovel_bench_recovery.exe

echo
echo "== Win32 (Wine): big files, the main window beside a bare editing component"
run_wine build/win32/tovel_bench_big.exe 10 3
run_wine build/win32/tovel_bench_big.exe line 10
run_wine build/win32/tovel_bench_big.exe 100 3
run_wine build/win32/tovel_bench_big.exe 1000 0
