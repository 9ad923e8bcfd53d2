#!/usr/bin/env bash
# Builds everything (installing what is missing) and runs every test; drawing tests run under Xvfb.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh --tests
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANE_WERROR="${ORVANE_WERROR:-OFF}" >/dev/null
cmake --build build -j"$(nproc)"
# The browser version and its tests' one package (pinned by its lock file).
scripts/build-web.sh
(cd tests/web && npm ci --no-audit --no-fund --silent)
cd build
xvfb-run -a -s "-screen 0 1024x768x24" ctest --output-on-failure -j"$(nproc)" "$@"
