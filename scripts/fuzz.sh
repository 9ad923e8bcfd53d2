#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for SECONDS (default 60). Fails on any crash,
# leak or sanitizer report. Usage: scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(tga high_score config input_log)
build=build-fuzz
jobs=$(( $(nproc) < 2 ? $(nproc) : 2 ))

CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANE_FUZZ=ON \
    -DORVANE_TESTS=OFF >/dev/null
cmake --build "$build" -j"$jobs" --target "${targets[@]/#/fuzz_}" >/dev/null

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:allocator_may_return_null=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
failed=0
for t in "${targets[@]}"; do
    work="$build/corpus/$t"
    mkdir -p "$work" "$build/crashes/$t"
    logfile="$build/fuzz_$t.log"
    # New inputs go to the work corpus; the seeds in the repository are only read.
    if "$build/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -max_len=65536 -print_final_stats=1 -artifact_prefix="$build/crashes/$t/" \
        "$work" "fuzz/corpus/$t" >"$logfile" 2>&1; then
        runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$logfile" | grep -o '[0-9]*$')
        echo "fuzz $t: clean, ${runs:-?} executions in ${seconds} s"
    else
        echo "fuzz $t: FAILED (log $logfile)"
        tail -40 "$logfile"
        failed=1
    fi
done
exit "$failed"
