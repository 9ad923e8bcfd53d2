#!/usr/bin/env bash
# Writes an input log of scripted play to standard output: fire held but let go for two frames in
# every 128 (so lost games restart), weaving up and down, drifting left and right, and the chain
# swung for 60 frames in every 400. Usage: scripts/soak-input.sh FRAMES [SEED]
set -euo pipefail
frames="${1:?frames}"
seed="${2:-20240601}"
awk -v frames="$frames" -v seed="$seed" '
function held(f,   s) {
    s = ""
    if (f % 128 < 126) s = s " 44"
    if (f % 400 >= 200 && f % 400 < 260) s = s " 45"
    s = s (f % 80 < 40 ? " 200" : " 208")
    if (f % 300 < 100) s = s " 205"
    else if (f % 300 >= 200) s = s " 203"
    return s
}
BEGIN {
    print "orvane-input 1"
    print "seed " seed
    run = 0
    for (f = 0; f < frames; f++) {
        h = held(f)
        if (run > 0 && h != last) { print run last; run = 0 }
        last = h
        run++
    }
    if (run > 0) print run last
}'
