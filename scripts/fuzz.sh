#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for SECONDS (default 60) from its committed seed
# corpus, in a scratch copy so the repository's seeds stay as they are. Prints each target's executions;
# a target that finds a fault stops with its input saved in build/fuzz/findings/ and the run fails.
#     scripts/fuzz.sh [SECONDS]
set -uo pipefail
cd "$(dirname "$0")/.."
SECONDS_EACH=${1:-60}
BUILD=build/fuzz
if [ ! -f "$BUILD/build.ninja" ]; then
    cmake -S tests/fuzz -B "$BUILD" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug >/dev/null || exit 1
fi
cmake --build "$BUILD" >/dev/null || { cmake --build "$BUILD"; exit 1; }

passed=0
failed=0
mkdir -p "$BUILD/findings" "$BUILD/logs"
for seeds in tests/fuzz/corpus/*/; do
    name=$(basename "$seeds")
    work="$BUILD/corpus/$name"
    rm -rf "$work" && mkdir -p "$work" && cp "$seeds"* "$work/"
    log="$BUILD/logs/$name.log"
    if "$BUILD/fuzz_$name" -max_total_time="$SECONDS_EACH" -print_final_stats=1 -artifact_prefix="$BUILD/findings/$name-" \
        "$work" > "$log" 2>&1; then
        passed=$((passed + 1))
        result=ok
    else
        failed=$((failed + 1))
        result="FAILED (see $log)"
    fi
    runs=$(grep -oE 'stat::number_of_executed_units: *[0-9]+' "$log" | grep -oE '[0-9]+$')
    printf '  %-16s %12s executions in %ss: %s\n' "$name" "${runs:-?}" "$SECONDS_EACH" "$result"
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
