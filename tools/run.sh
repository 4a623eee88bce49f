#!/usr/bin/env bash
# Installs what is missing, builds the kit and opens the bundled sample puzzle
# in the player.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
exec build/player/shell/vorpel build/sample.jzt
