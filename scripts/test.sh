#!/usr/bin/env bash
# Runs every test: host unit tests (sanitizers), then the Win32 and end-to-end tests under Wine on a
# virtual display. Prints one summary line "N passed, N failed" and fails when any test failed.
set -uo pipefail
cd "$(dirname "$0")/.."
. scripts/wine-env.sh
LOGS=build/test-logs
mkdir -p "$LOGS"

passed=0
failed=0
# Adds a GoogleTest run's counts; a run that ends without its summary (a crash) counts as one failure.
tally() {
    local log=$1 name=$2 p f
    p=$(grep -aE '^\[  PASSED  \] [0-9]+ test' "$log" | grep -oE '[0-9]+' | head -1)
    f=$(grep -aE '^\[  FAILED  \] [0-9]+ test' "$log" | grep -oE '[0-9]+' | head -1)
    if [ -z "$p" ] && [ -z "$f" ]; then
        echo "$name: ended without a result (see $log)"
        failed=$((failed + 1))
        return
    fi
    # gtest prints PASSED only for the passing share when some failed.
    passed=$((passed + ${p:-0}))
    failed=$((failed + ${f:-0}))
    [ -n "$f" ] && grep -aE '^\[  FAILED  \] [A-Za-z]' "$log" | sort -u
}

# Two small file systems for the safe-save tests: one nearly full (a short write), one read-only (root
# ignores folder permissions, so a read-only mount is the only folder root cannot write to). Tests that
# need them say so and skip when they could not be made (not root).
SMALLFS=/tmp/tovel-smallfs
ROFS=/tmp/tovel-rofs
make_test_filesystems() {
    [ "$(id -u)" = 0 ] || return 0
    mkdir -p "$SMALLFS" "$ROFS"
    mountpoint -q "$SMALLFS" || mount -t tmpfs -o size=64k tmpfs "$SMALLFS" || return 0
    if ! mountpoint -q "$ROFS"; then
        mount -t tmpfs -o size=64k tmpfs "$ROFS" || return 0
        printf 'original\r\n' > "$ROFS/existing.txt"
        mount -o remount,ro "$ROFS" || return 0
    fi
    export TOVEL_SMALLFS='Z:\tmp\tovel-smallfs' TOVEL_ROFS='Z:\tmp\tovel-rofs'
}
make_test_filesystems

echo "== formatting (.clang-format)"
# Every C++ file as the committed .clang-format writes it: one that differs fails the run.
unformatted=$(git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run 2>&1 | grep -oE '^[^ :]+\.(cpp|h):' | sort -u)
if [ -n "$unformatted" ]; then
    echo "not formatted (run clang-format -i on them):"; echo "$unformatted" | tr -d ':' | sed 's/^/  /'
    failed=$((failed + 1))
else
    echo "  every file formatted"
    passed=$((passed + 1))
fi

echo "== fuzz targets (host, a few seconds each)"
if scripts/fuzz.sh 3 > "$LOGS/fuzz.log" 2>&1; then :; fi
fp=$(grep -oE '^fuzz: [0-9]+ passed' "$LOGS/fuzz.log" | grep -oE '[0-9]+')
ff=$(grep -oE '[0-9]+ failed$' "$LOGS/fuzz.log" | grep -oE '^[0-9]+')
if [ -z "$fp" ]; then
    echo "fuzz: ended without a result (see $LOGS/fuzz.log)"
    failed=$((failed + 1))
else
    passed=$((passed + fp))
    failed=$((failed + ${ff:-0}))
fi
grep -E 'executions|FAILED' "$LOGS/fuzz.log"

echo "== unit tests (host)"
build/host/tovel_unit_tests > "$LOGS/unit.log" 2>&1
tally "$LOGS/unit.log" unit
tail -n 3 "$LOGS/unit.log"

run_wine() {
    local exe=$1 log=$2
    shift 2
    if have_display; then
        timeout 1200 wine "$exe" "$@" > "$log" 2>&1
    else
        timeout 1200 xvfb-run -a -s "-screen 0 1280x1024x24" wine "$exe" "$@" > "$log" 2>&1
    fi
    wineserver -k >/dev/null 2>&1 || true
}

wineserver -k >/dev/null 2>&1 || true  # a wineserver left from another display cannot show windows
echo "== Win32 tests (Wine)"
run_wine build/win32/tovel_win32_tests.exe "$LOGS/win32.log" --gtest_filter=-PrintTest.Spooler*
tally "$LOGS/win32.log" win32
tail -n 3 "$LOGS/win32.log"

# A real spooler for the printing test: CUPS with a PDF printer writing into a folder of our own. Text
# printed in the IPA fonts does not come back out of the PDF as text, so while this test runs the
# program's face is drawn with VL PGothic.
PDFDIR=/tmp/tovel-pdf
CUPSD_PID=
start_print_spooler() {
    [ "$(id -u)" = 0 ] && command -v cupsd >/dev/null && command -v lpadmin >/dev/null || return 1
    mkdir -p "$PDFDIR" && rm -f "$PDFDIR"/*
    sed -i "s|^Out .*|Out $PDFDIR|" /etc/cups/cups-pdf.conf || return 1
    scheduler_up() { lpstat -r 2>/dev/null | grep -q 'scheduler is running'; }
    if ! scheduler_up; then
        mkdir -p /run/cups
        cupsd -f > "$LOGS/cupsd.log" 2>&1 &
        CUPSD_PID=$!
        for _ in $(seq 1 50); do scheduler_up && break; sleep 0.2; done
    fi
    lpadmin -p PDF -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd -o PageSize=A4 >/dev/null 2>&1 &&
        lpadmin -d PDF >/dev/null 2>&1
}
stop_print_spooler() {
    for _ in $(seq 1 50); do [ -z "$(lpstat -o PDF 2>/dev/null)" ] && break; sleep 0.2; done
    [ -n "$CUPSD_PID" ] && kill "$CUPSD_PID" 2>/dev/null && wait "$CUPSD_PID" 2>/dev/null
    CUPSD_PID=
}
FACE='ＭＳ Ｐゴシック'
REPLACEMENTS='HKCU\Software\Wine\Fonts\Replacements'
echo "== printing through a spooler (Wine, CUPS)"
if start_print_spooler; then
    export TOVEL_PDF_DIR="$PDFDIR"
    run_wine_script() {
        if have_display; then bash -c "$1"; else xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "$1"; fi
        wineserver -k >/dev/null 2>&1 || true
    }
    run_wine_script "wine reg add '$REPLACEMENTS' /v '$FACE' /d 'VL PGothic' /f >/dev/null 2>&1;
        timeout 600 wine build/win32/tovel_win32_tests.exe --gtest_filter=PrintTest.Spooler* > '$LOGS/print.log' 2>&1;
        wine reg add '$REPLACEMENTS' /v '$FACE' /d 'IPAPGothic' /f >/dev/null 2>&1"
    stop_print_spooler
    unset TOVEL_PDF_DIR
    tally "$LOGS/print.log" print
    tail -n 3 "$LOGS/print.log"
else
    echo "print spooler: not started (needs root and CUPS); the spooler test is skipped"
fi

echo "== end-to-end tests (Wine)"
# The Windows path is made here, not by winepath: a Wine command run before the virtual display exists
# would leave a wineserver behind that has no display for the tests.
exe_path="Z:$(realpath build/win32/tovel.exe | tr / '\\')"
run_wine build/win32/tovel_e2e_tests.exe "$LOGS/e2e.log" "--exe=$exe_path"
tally "$LOGS/e2e.log" e2e
tail -n 3 "$LOGS/e2e.log"

echo
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
