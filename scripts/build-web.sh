#!/usr/bin/env bash
# Builds the browser version into build-web/site (installing Emscripten when missing), and the
# headless program for node as build-web/orvane_node.js.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh --web
# Debian's Emscripten runs its JavaScript tools with the system's node modules.
export NODE_PATH=/usr/share/nodejs
emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=Release -DORVANE_TESTS=OFF >/dev/null
cmake --build build-web -j"$(nproc)"
