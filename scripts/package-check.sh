#!/usr/bin/env bash
# Builds the Debian package and an install tree as a packager would, validates the desktop file,
# the AppStream metadata and the package (lintian: no errors), then runs the installed game from
# an unrelated folder with a scratch home: headless, its replay equals the one from the
# repository's build, and in a window under Xvfb it shows the picture, writing only in the home.
# Usage: scripts/package-check.sh
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(( $(nproc) < 2 ? $(nproc) : 2 ))
build=build-package

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANE_TESTS=OFF >/dev/null
cmake --build "$build" -j"$jobs" >/dev/null
rm -f "$build"/*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/orvane_*.deb)
echo "package: $deb"

desktop-file-validate dist/io.orvane.Orvane.desktop
appstreamcli validate --no-net "$build/dist/io.orvane.Orvane.metainfo.xml" >/dev/null
echo "package: desktop file and AppStream metadata valid"
# lintian refuses to be quiet about running as root; that line is not a finding.
lintian --fail-on error --tag-display-limit 0 "$deb" 2>&1 | grep -v 'root privileges' || true
lintian --fail-on error "$deb" >/dev/null 2>&1
echo "package: lintian reports no errors"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg -x "$deb" "$work/root"
cmake --install "$build" --prefix "$work/prefix" >/dev/null
scripts/soak-input.sh 1500 >"$work/play.log"
# The reference: the same build, run the classic way from a folder holding data/.
mkdir "$work/classic"
ln -s "$(pwd)/data" "$work/classic/data"
reference="$(pwd)/$build/orvane"
(cd "$work/classic" && "$reference" --headless --input ../play.log --dump ref.jsonl)

for program in "$work/root/usr/games/orvane" "$work/prefix/bin/orvane"; do
    rm -rf "$work/home" "$work/elsewhere"
    mkdir -p "$work/home" "$work/elsewhere"
    home=(env -u XDG_CONFIG_HOME -u XDG_DATA_HOME HOME="$work/home")
    (cd "$work/elsewhere" && "${home[@]}" "$program" --headless --input ../play.log \
        --dump dump.jsonl)
    cmp "$work/elsewhere/dump.jsonl" "$work/classic/ref.jsonl"
    (cd "$work/elsewhere" && "${home[@]}" xvfb-run -a -s "-screen 0 1024x768x24" "$program" \
        --input ../play.log --frames 300 --screenshot shot.png)
    # A blank 640x480 picture packs into a few hundred bytes; the game's takes several kilobytes.
    [ "$(stat -c %s "$work/elsewhere/shot.png")" -gt 8000 ]
    [ -f "$work/home/.config/orvane/config.txt" ]
    [ -d "$work/home/.local/share/orvane" ]
    [ "$(ls "$work/elsewhere" | sort | tr '\n' ' ')" = "dump.jsonl shot.png " ]
    echo "package: $(basename "$(dirname "$program")")/orvane plays from the installed data," \
        "its files in the home"
done
