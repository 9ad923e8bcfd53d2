#!/usr/bin/env bash
# Measures, never asserts: processor time per frame of the paced windowed game under Xvfb and
# Mesa's software renderer, for this tree and an earlier commit side by side, on one heavy replay
# (fire held, weaving, chain swung, many enemies), rounds interleaved so both see the same machine.
# Usage: scripts/compare-cpu.sh [BASE_COMMIT] [FRAMES] [ROUNDS] [SCREEN] [-- GAME OPTIONS]
#   e.g. scripts/compare-cpu.sh HEAD~5 1500 3 1920x1080 -- --scale 4
# The game options go to this tree's build only: an older build may not know them.
set -euo pipefail
cd "$(dirname "$0")/.."
base="${1:-HEAD~1}"
frames="${2:-1500}"
rounds="${3:-3}"
screen="${4:-1024x768}"
shift $(( $# < 4 ? $# : 4 ))
[ "${1:-}" = "--" ] && shift
options=("$@")
jobs=$(( $(nproc) < 2 ? $(nproc) : 2 ))

cmake -S . -B build-release -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-release -j"$jobs" --target orvane >/dev/null
tree=build-compare/tree
rm -rf "$tree"
git worktree prune
git worktree add -f --detach "$tree" "$base" >/dev/null 2>&1
cmake -S "$tree" -B build-compare/build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANE_TESTS=OFF >/dev/null
cmake --build build-compare/build -j"$jobs" --target orvane >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"; git worktree remove --force "$tree" 2>/dev/null || true' EXIT
ln -s "$(pwd)/data" "$work/data"
scripts/soak-input.sh "$frames" >"$work/play.log"
cp build-release/orvane "$work/new"
cp build-compare/build/orvane "$work/base"
echo "base $(git rev-parse --short "$base"), this tree; $frames frames, screen $screen, options: ${options[*]:-none}"

# One X server for every run; each run prints user and system seconds and the elapsed time.
xvfb-run -a -s "-screen 0 ${screen}x24" bash -c '
    cd "$1"; frames=$2; rounds=$3; shift 3
    for round in $(seq "$rounds"); do
        for build in base new; do
            extra=(); [ "$build" = new ] && extra=("$@")
            /usr/bin/time -f "$build %U %S %e" -o time.txt "./$build" --input play.log \
                --frames "$frames" "${extra[@]}" >/dev/null 2>&1 || true
            cat time.txt
        done
    done' _ "$work" "$frames" "$rounds" "${options[@]}" |
    awk -v frames="$frames" '
        { cpu = ($2 + $3) * 1000 / frames; printf "%-4s cpu %.2f ms/frame  %.1f frames/s\n", $1, cpu, frames / $4
          all[$1] = all[$1] " " cpu }
        END { for (b in all) print b " all rounds (ms/frame):" all[b] }'
