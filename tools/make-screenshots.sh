#!/usr/bin/env bash
# Paints the README's screenshots offscreen, each by a program that sets up
# the scene on the real windows (tools/screenshots): a game in progress in
# the player (docs/vorpel-game.png) and a picture framed in the maker
# (docs/kestra-framing.png), each once with a Japanese desktop and once with
# an English one (docs/*-en.png), and a 1000-piece game zoomed out to show the
# whole table (docs/vorpel-zoomed.png, a puzzle the maker makes from the
# sample landscape) and, in the same game, chosen groups being carried beside
# a tray that shows only its edge pieces (docs/vorpel-selection.png), and the
# records window with four finished puzzles (docs/vorpel-records.png). Builds
# the programs first.
# Usage: tools/make-screenshots.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
build=${1:-build}
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" --target vorpel-scenes kestra-scenes kestra sample_puzzle
"$build/maker/shell/kestra" --output "$build/sample-1000.jzt" --size 15 "$build/sample-picture.bmp"
vorpel_scenes=$build/tools/screenshots/vorpel-scenes
kestra_scenes=$build/tools/screenshots/kestra-scenes

mkdir -p docs
# A screen larger than the default one, which would shrink the windows.
screen=$(mktemp)
trap 'rm -f "$screen"' EXIT
echo '{"screens": [{"name": "shot", "x": 0, "y": 0, "width": 1600, "height": 1200}]}' >"$screen"
export QT_QPA_PLATFORM=offscreen:configfile=$screen
unset LC_ALL LC_MESSAGES
# Runs a scene program on a desktop in a language: LANG=xx_XX.UTF-8.
in_language() {
  LANG=$1.UTF-8 LANGUAGE=${1:0:2} "${@:2}"
}
for language in ja_JP:'' en_US:-en; do
  suffix=${language#*:}
  in_language "${language%:*}" "$vorpel_scenes" game "$build/sample.jzt" "docs/vorpel-game$suffix.png"
  in_language "${language%:*}" "$kestra_scenes" "docs/kestra-framing$suffix.png"
done
in_language en_US "$vorpel_scenes" zoomed "$build/sample-1000.jzt" docs/vorpel-zoomed.png docs/vorpel-selection.png
in_language ja_JP "$vorpel_scenes" records docs/vorpel-records.png
ls -l docs/vorpel-*.png docs/kestra-*.png
