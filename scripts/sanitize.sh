#!/usr/bin/env bash
# The whole test suite built with AddressSanitizer and UBSan (no recovery: the first report fails),
# the joystick polling tests under ThreadSanitizer, and a soak of 1,000,000 frames of scripted play
# in the AddressSanitizer build of the program. Usage: scripts/sanitize.sh [asan|tsan|soak]...
set -euo pipefail
cd "$(dirname "$0")/.."

stages=("$@")
[ ${#stages[@]} -gt 0 ] || stages=(asan tsan soak)
jobs=$(( $(nproc) < 2 ? $(nproc) : 2 ))
supp="$(pwd)/scripts/sanitizer"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1:verify_asan_link_order=0"
export LSAN_OPTIONS="suppressions=$supp/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$supp/tsan.supp"

build_asan() {
    cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANE_SANITIZE=ON >/dev/null
    cmake --build build-asan -j"$jobs"
}

# Mesa and X11 keep memory reachable only from their own globals; once SDL unloads them at exit
# that memory looks leaked and the stacks have no names. Keeping every library loaded avoids it.
run_asan() {
    build_asan
    cc -O2 -shared -fPIC -o build-asan/keep_modules.so "$supp/keep_modules.c"
    (cd build-asan && LD_PRELOAD="$(pwd)/keep_modules.so" \
        xvfb-run -a -s "-screen 0 1024x768x24" ctest --output-on-failure -j"$jobs" -LE web)
}

# Runs a test program under ThreadSanitizer: a race report or a failing test fails the stage.
tsan_run() {
    local log status=0
    log=$(mktemp)
    "$@" >"$log" 2>&1 || status=$?
    if [ "$status" -ne 0 ] || grep -q 'WARNING: ThreadSanitizer' "$log"; then
        cat "$log"
        rm -f "$log"
        return 1
    fi
    tail -1 "$log"
    rm -f "$log"
}

# Only the programs whose tests run a second thread: the joystick polling thread.
run_tsan() {
    cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANE_TSAN=ON >/dev/null
    cmake --build build-tsan -j"$jobs" --target orvane_app_tests orvane_hardening_tests
    tsan_run build-tsan/tests/orvane_app_tests --gtest_filter='VirtualJoystick.*:JoyAxis.*'
    tsan_run build-tsan/tests/orvane_hardening_tests --gtest_filter='JoystickFaults.*'
}

# Game overs and restarts included; the dump proves the run really lost games and went on.
run_soak() {
    build_asan
    local dir frames=1000000
    dir=$(mktemp -d)
    scripts/soak-input.sh "$frames" >"$dir/soak.log"
    local start=$SECONDS
    (cd "$dir" && "$OLDPWD/build-asan/orvane" --headless --input soak.log --frames "$frames" \
        --dump soak.jsonl --dump-every 1000)
    local lost
    lost=$(grep -c '"gameOverFrames": [1-9]' "$dir/soak.jsonl" || true)
    local last
    last=$(tail -1 "$dir/soak.jsonl" | grep -o '^{"frame": [0-9]*')
    rm -rf "$dir"
    echo "soak: $frames frames clean under ASan+UBSan in $((SECONDS - start)) s" \
        "(last dump $last, $lost sampled frames in game over)"
    [ "$last" = "{\"frame\": $frames" ] && [ "$lost" -gt 0 ]
}

for stage in "${stages[@]}"; do
    echo "== sanitizers: $stage"
    "run_$stage"
done
