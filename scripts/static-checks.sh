#!/usr/bin/env bash
# clang-tidy (checks in .clang-tidy, every finding an error) and cppcheck over the game's sources
# and the fuzz targets. Usage: scripts/static-checks.sh
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(( $(nproc) < 2 ? $(nproc) : 2 ))

# A configured tree is enough: clang-tidy needs the compile commands, not the objects.
CC=clang CXX=clang++ cmake -S . -B build-tidy -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANE_FUZZ=ON \
    -DORVANE_TESTS=OFF >/dev/null
echo "== clang-tidy"
run-clang-tidy -quiet -j"$jobs" -p build-tidy "$(pwd)/(src|fuzz)/" >build-tidy/clang-tidy.log 2>&1 ||
    { grep -E 'error:|warning:' -A3 build-tidy/clang-tidy.log; exit 1; }
if grep -qE 'error:|warning:' build-tidy/clang-tidy.log; then
    grep -E 'error:|warning:' -A3 build-tidy/clang-tidy.log
    exit 1
fi
echo "clang-tidy: clean"

echo "== cppcheck"
# Suppressed: the audio and device classes call their own final stop/shutdown from their
# destructors on purpose (releasing the device); cppcheck's note is about dynamic binding there.
cppcheck --enable=warning,performance,portability --std=c++20 --language=c++ --inline-suppr \
    --quiet --error-exitcode=1 -j"$jobs" -I src -I fuzz --suppress=missingIncludeSystem \
    --suppress=missingInclude --suppress='virtualCallInConstructor:src/sound/openal_audio.h' \
    --suppress='virtualCallInConstructor:src/desktop/sdl_devices.h' src fuzz
echo "cppcheck: clean"

echo "== platform boundary"
# The game logic and the plain program (the run and the shell every platform shares) never
# include a platform header; the platform files say so in their names.
if grep -rnE '#include *<(SDL|GL/|AL/|GLFW|emscripten|png\.h)' src/base src/input src/world \
    src/elements src/game src/app; then
    echo "a platform header in the game logic or the plain program (base ... game, app)"
    exit 1
fi
# Every include runs down the layers, and every method lives in its class's folder.
scripts/layer-check.sh
# Its own test programs link no SDL, OpenGL or OpenAL (./test.sh has built them in build/).
boundary=build
[ -d build ] || boundary=build-boundary
cmake -S . -B "$boundary" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$boundary" -j"$jobs" --target orvane_world_tests orvane_elements_tests \
    orvane_game_tests >/dev/null
for program in "$boundary"/tests/orvane_{world,elements,game}_tests; do
    if ldd "$program" | grep -E 'lib(GL|GLU|OpenGL|GLX|SDL2|openal)'; then
        echo "$program links a platform library"
        exit 1
    fi
done
echo "platform boundary: clean"
