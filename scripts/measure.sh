#!/usr/bin/env bash
# Measures, never asserts: game logic cost per frame (median and worst), drawing cost per picture
# under Mesa's software renderer, time from process start to the first picture shown and the part
# of it spent reading images, peak resident memory and CPU use of the paced windowed game.
# Usage: scripts/measure.sh [FRAMES_WINDOWED]   (default 1500, 20 s at 75 frames per second)
set -euo pipefail
cd "$(dirname "$0")/.."
frames="${1:-1500}"
jobs=$(( $(nproc) < 2 ? $(nproc) : 2 ))

cmake -S . -B build-release -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-release -j"$jobs" --target orvane game_frame_bench window_pacing_bench >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cc -O2 -shared -fPIC -o "$work/frame_probe.so" scripts/measure/frame_probe.c -ldl

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs)," \
    "load average $(cut -d' ' -f1-3 /proc/loadavg)"

echo "== game logic per frame (headless, fire held, weaving, chain swung, games lost and restarted)"
build-release/bench/game_frame_bench --benchmark_filter='BM_GameFrame(Cpu)?Spread' \
    --benchmark_counters_tabular=true 2>/dev/null | grep -E 'BM_|median|Benchmark' || true

echo "== windowed game under Xvfb and Mesa ($frames frames of scripted play, paced)"
scripts/soak-input.sh "$frames" >"$work/play.log"
# The launch time is taken just before the program replaces the shell.
xvfb-run -a -s "-screen 0 1024x768x24" sh -c "ORVANE_LAUNCH_NS=\$(date +%s%N) exec \
    /usr/bin/time -f 'time: elapsed_s=%e user_s=%U sys_s=%S cpu=%P max_rss_kb=%M' \
    env LD_PRELOAD='$work/frame_probe.so' '$(pwd)/build-release/orvane' --input '$work/play.log' \
    --frames $frames" 2>&1 | grep -E '^(probe|time):'
echo "(cpu: user+sys over elapsed, of one core; draw: clear until the picture is finished; present: the swap)"

echo "== windowed game paced for 30 s (swap interval 0): frames per second, frame periods, CPU"
xvfb-run -a -s "-screen 0 1024x768x24" env vblank_mode=0 build-release/bench/window_pacing_bench \
    --benchmark_counters_tabular=true 2>/dev/null | grep -E 'BM_|Benchmark' || true
