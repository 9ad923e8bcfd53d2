#!/usr/bin/env bash
# Builds the game (installing what is missing) and starts it from the repository folder.
set -euo pipefail
cd "$(dirname "$0")"
# --web: the browser version, served on this machine.
if [ "${1:-}" = "--web" ]; then
    scripts/build-web.sh
    echo "Orvane in the browser: http://127.0.0.1:${2:-8075}/ (Ctrl+C stops the server)"
    exec python3 -m http.server "${2:-8075}" --bind 127.0.0.1 --directory build-web/site
fi
scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target orvane -j"$(nproc)"
exec build/orvane "$@"
