#!/usr/bin/env bash
# Paints the README's screenshots offscreen, each by a test that sets up the
# scene on the real windows: a game in progress in the player
# (docs/vorpel-game.png) and a picture framed in the maker
# (docs/kestra-framing.png), each once with a Japanese desktop and once with
# an English one (docs/*-en.png), and a 1000-piece game zoomed out to show the
# whole table (docs/vorpel-zoomed.png, a puzzle the maker makes from the
# sample landscape) and, in the same game, chosen groups being carried beside
# a tray that shows only its edge pieces (docs/vorpel-selection.png), and the
# records window with four finished puzzles (docs/vorpel-records.png). Builds
# the test programs first.
# Usage: tools/make-screenshots.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
build=${1:-build}
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" --target vorpel_game_tests kestra_gui_tests kestra sample_puzzle
"$build/maker/shell/kestra" --output "$build/sample-1000.jzt" --size 15 "$build/sample-picture.bmp"

mkdir -p docs
# A screen larger than the default one, which would shrink the windows.
screen=$(mktemp)
trap 'rm -f "$screen"' EXIT
echo '{"screens": [{"name": "shot", "x": 0, "y": 0, "width": 1600, "height": 1200}]}' >"$screen"
export QT_QPA_PLATFORM=offscreen:configfile=$screen
unset LC_ALL LC_MESSAGES
# LANG=xx_XX.UTF-8 and the suffix of the pictures it makes.
for language in ja_JP: en_US:-en; do
  suffix=${language#*:}
  export LANG=${language%:*}.UTF-8 LANGUAGE=${language:0:2}
  VORPEL_SCREENSHOT=docs/vorpel-game$suffix.png "$build/tests/player/shell/vorpel_game_tests" gameInProgressAsSeen
  KESTRA_SCREENSHOT=docs/kestra-framing$suffix.png "$build/tests/maker/shell/kestra_gui_tests" framingAsSeen
  ls -l docs/vorpel-game$suffix.png docs/kestra-framing$suffix.png
done
VORPEL_ZOOM_SCREENSHOT=docs/vorpel-zoomed.png VORPEL_SELECTION_SCREENSHOT=docs/vorpel-selection.png \
  VORPEL_ZOOM_PUZZLE="$build/sample-1000.jzt" "$build/tests/player/shell/vorpel_game_tests" zoomedOutTableAsSeen
ls -l docs/vorpel-zoomed.png docs/vorpel-selection.png
export LANG=ja_JP.UTF-8 LANGUAGE=ja
VORPEL_RECORDS_SCREENSHOT=docs/vorpel-records.png "$build/tests/player/shell/vorpel_game_tests" recordsAsSeen
ls -l docs/vorpel-records.png
