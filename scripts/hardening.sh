#!/usr/bin/env bash
# The second CI command after ./test.sh: static checks, an -O3 build with warnings as errors, the
# sanitizer builds and soak, fuzzing (FUZZ_SECONDS per target, default 60) and the program started
# in hostile working folders.
# Usage: scripts/hardening.sh [static|release|sanitize|fuzz|program|package]...
set -euo pipefail
cd "$(dirname "$0")/.."

stages=("$@")
[ ${#stages[@]} -gt 0 ] || stages=(static release program package sanitize fuzz)

# The release program itself, in folders that lack what it normally finds.
program_checks() {
    local jobs=$(( $(nproc) < 2 ? $(nproc) : 2 ))
    local bin dir
    # ./test.sh has just built the program in build/; otherwise build a release one.
    if [ -x build/orvane ]; then
        cmake --build build -j"$jobs" --target orvane >/dev/null
        bin="$(pwd)/build/orvane"
    else
        cmake -S . -B build-release -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
        cmake --build build-release -j"$jobs" --target orvane >/dev/null
        bin="$(pwd)/build-release/orvane"
    fi
    dir=$(mktemp -d)
    chmod 0711 "$dir"
    scripts/soak-input.sh 3000 >"$dir/play.log"
    chmod 0644 "$dir/play.log"

    # No data folder anywhere, no config.txt, no score file: the game plays and draws what it
    # can, keeping its files in the (scratch) home.
    mkdir "$dir/empty"
    (cd "$dir/empty" && HOME="$dir/home" "$bin" --headless --input ../play.log --frames 3000 \
        --dump-every 1000 --dump dump.jsonl)
    [ "$(wc -l <"$dir/empty/dump.jsonl")" -eq 4 ]
    (cd "$dir/empty" && HOME="$dir/home" xvfb-run -a -s "-screen 0 1024x768x24" "$bin" \
        --input ../play.log --frames 300 --screenshot shot.png)
    [ -f "$dir/home/.config/orvane/config.txt" ]
    [ -s "$dir/empty/shot.png" ]
    echo "program: plays and draws without a data folder"

    # A folder where nothing can be created, entered by a user other than root: a game lost and
    # restarted keeps its best score in memory, as where the score file can be written.
    mkdir "$dir/locked"
    chmod 0555 "$dir/locked"
    cp tests/recorded/reckless.log "$dir/lose.log"
    chmod 0644 "$dir/lose.log"
    local best
    best=$(cd "$dir/empty" && HOME="$dir/fresh" "$bin" --headless \
        --input ../lose.log --dump-every 100000 --dump - | tail -n 1 | grep -o '"highScore": [0-9]*')
    (cd "$dir/locked" && setpriv --reuid=65534 --regid=65534 --clear-groups \
        "$bin" --headless --input ../lose.log --dump-every 100000 --dump - | tail -n 1 |
        grep -q "$best")
    [ -z "$(ls -A "$dir/locked")" ]
    (cd "$dir/locked" && setpriv --reuid=65534 --regid=65534 --clear-groups \
        env HOME=/nonexistent xvfb-run -a -s "-screen 0 1024x768x24" "$bin" --input ../play.log \
        --frames 300)
    [ -z "$(ls -A "$dir/locked")" ]
    echo "program: plays in a read-only folder and writes nothing"
    rm -rf "$dir"
}

for stage in "${stages[@]}"; do
    echo "=== hardening: $stage"
    case "$stage" in
    static) scripts/static-checks.sh ;;
    # -O3 inlines far more than the tests' build, and GCC warns about what it then sees.
    release)
        cmake -S . -B build-o3 -DCMAKE_BUILD_TYPE=Release -DORVANE_WERROR=ON >/dev/null
        cmake --build build-o3 -j"$(nproc)" >build-o3/build.log 2>&1 ||
            { grep -E 'error|warning' -A3 build-o3/build.log; exit 1; }
        echo "release: an -O3 build of everything, warnings as errors: clean" ;;
    sanitize) scripts/sanitize.sh ;;
    fuzz) scripts/fuzz.sh "${FUZZ_SECONDS:-60}" ;;
    program) program_checks ;;
    package) scripts/package-check.sh ;;
    *) echo "unknown stage $stage" >&2; exit 2 ;;
    esac
done
echo "hardening: all stages passed"
