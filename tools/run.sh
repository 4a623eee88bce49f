#!/usr/bin/env bash
# Installs what is missing, builds the kit and shows the bundled sample puzzle.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
exec build/tools/jzt-info build/sample.jzt
