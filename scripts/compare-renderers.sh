#!/usr/bin/env bash
# Measures, never asserts: processor time per frame of the paced windowed game under Xvfb and
# Mesa's software renderer, drawn by the immediate mode (gl) and by batched OpenGL ES 2 (gles2),
# one build, the same heavy replay, rounds interleaved so both see the same machine.
# Usage: scripts/compare-renderers.sh [FRAMES] [ROUNDS] [SCREEN] [-- GAME OPTIONS]
#   e.g. scripts/compare-renderers.sh 1500 3 1920x1080 -- --scale 4
set -euo pipefail
cd "$(dirname "$0")/.."
frames="${1:-1500}"
rounds="${2:-3}"
screen="${3:-1024x768}"
shift $(( $# < 3 ? $# : 3 ))
[ "${1:-}" = "--" ] && shift
options=("$@")
jobs=$(( $(nproc) < 2 ? $(nproc) : 2 ))

cmake -S . -B build-release -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-release -j"$jobs" --target orvane >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
ln -s "$(pwd)/data" "$work/data"
scripts/soak-input.sh "$frames" >"$work/play.log"
cp build-release/orvane "$work/orvane"
echo "this tree; $frames frames, screen $screen, options: ${options[*]:-none}"

# One X server for every run; each run prints user and system seconds and the elapsed time.
xvfb-run -a -s "-screen 0 ${screen}x24" bash -c '
    cd "$1"; frames=$2; rounds=$3; shift 3
    for round in $(seq "$rounds"); do
        for renderer in gl gles2; do
            /usr/bin/time -f "$renderer %U %S %e" -o time.txt ./orvane --input play.log \
                --frames "$frames" --mute --renderer "$renderer" "$@" >/dev/null 2>&1 || true
            cat time.txt
        done
    done' _ "$work" "$frames" "$rounds" "${options[@]}" |
    awk -v frames="$frames" '
        { cpu = ($2 + $3) * 1000 / frames; printf "%-5s cpu %.2f ms/frame  %.1f frames/s\n", $1, cpu, frames / $4
          all[$1] = all[$1] " " cpu }
        END { for (b in all) print b " all rounds (ms/frame):" all[b] }'
