#!/usr/bin/env bash
# Installs the Debian packages the game and its tests need, only those that are missing.
set -euo pipefail

packages=(build-essential cmake pkg-config libsdl2-dev libopenal-dev libgl-dev libglu1-mesa-dev
          libpng-dev libgtest-dev libgmock-dev libbenchmark-dev)
if [ "${1:-}" = "--tests" ]; then
    packages+=(xvfb xauth libgl1-mesa-dri clang libclang-rt-14-dev clang-tidy cppcheck
               lintian desktop-file-utils appstream dpkg-dev emscripten chromium nodejs)
    # A node from elsewhere brings its own npm; Debian's comes as a package of its own.
    command -v npm >/dev/null || packages+=(npm)
fi
if [ "${1:-}" = "--web" ]; then
    packages=(cmake emscripten nodejs python3)
fi

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
