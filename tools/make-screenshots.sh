#!/usr/bin/env bash
# Paints the README's screenshots offscreen, each by a test that sets up the
# scene on the real windows: a game in progress in the player
# (docs/vorpel-game.png), a 1000-piece game zoomed out to show the whole
# table (docs/vorpel-zoomed.png, a puzzle the maker makes from the sample
# landscape) and a picture framed in the maker (docs/kestra-framing.png).
# Builds the test programs first.
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
export QT_QPA_PLATFORM=offscreen
VORPEL_SCREENSHOT=docs/vorpel-game.png "$build/tests/player/shell/vorpel_game_tests" gameInProgressAsSeen
VORPEL_ZOOM_SCREENSHOT=docs/vorpel-zoomed.png VORPEL_ZOOM_PUZZLE="$build/sample-1000.jzt" \
  "$build/tests/player/shell/vorpel_game_tests" zoomedOutTableAsSeen
KESTRA_SCREENSHOT=docs/kestra-framing.png "$build/tests/maker/shell/kestra_gui_tests" framingAsSeen
ls -l docs/vorpel-game.png docs/vorpel-zoomed.png docs/kestra-framing.png
