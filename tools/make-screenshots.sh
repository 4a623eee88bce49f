#!/usr/bin/env bash
# Paints the README's two screenshots offscreen, each by a test that sets up
# the scene on the real windows: a game in progress in the player
# (docs/vorpel-game.png) and a picture framed in the maker
# (docs/kestra-framing.png). Builds the two test programs first.
# Usage: tools/make-screenshots.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
build=${1:-build}
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" --target vorpel_game_tests kestra_gui_tests

mkdir -p docs
export QT_QPA_PLATFORM=offscreen
VORPEL_SCREENSHOT=docs/vorpel-game.png "$build/tests/player/shell/vorpel_game_tests" gameInProgressAsSeen
KESTRA_SCREENSHOT=docs/kestra-framing.png "$build/tests/maker/shell/kestra_gui_tests" framingAsSeen
ls -l docs/vorpel-game.png docs/kestra-framing.png
