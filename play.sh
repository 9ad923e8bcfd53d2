#!/usr/bin/env bash
# Builds the game (installing what is missing) and starts it from the repository folder.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target orvane -j"$(nproc)"
exec build/orvane "$@"
