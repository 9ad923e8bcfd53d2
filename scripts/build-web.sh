#!/usr/bin/env bash
# Builds the browser version into build-web/site (installing Emscripten when missing), and the
# headless program for node as build-web/orvane_node.js. With --emulation it builds the page as it
# drew before its own back end, on Emscripten's legacy GL emulation, into
# build-web-emulation/site, only to measure the two (tests/web/renderers.js).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh --web
# Debian's Emscripten runs its JavaScript tools with the system's node modules.
export NODE_PATH=/usr/share/nodejs
folder=build-web
options=()
if [ "${1:-}" = "--emulation" ]; then
    folder=build-web-emulation
    options=(-DORVANE_WEB_EMULATION=ON)
fi
emcmake cmake -S . -B "$folder" -DCMAKE_BUILD_TYPE=Release -DORVANE_TESTS=OFF "${options[@]}" >/dev/null
if [ "$folder" = build-web ]; then
    cmake --build "$folder" -j"$(nproc)"
else
    cmake --build "$folder" -j"$(nproc)" --target orvane_web
fi
