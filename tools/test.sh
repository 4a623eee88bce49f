#!/usr/bin/env bash
# Installs what is missing, builds the kit and runs the whole test suite;
# builds the Debian package, which lintian must pass without an error or a
# warning, and checks the installation it unpacks to; then builds and runs the
# suite again with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
jobs=$(nproc)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
ctest --test-dir build --output-on-failure -j "$jobs"

(cd build && rm -f jigsaw-kit_*.deb && cpack -G DEB)
package=$(echo build/jigsaw-kit_*.deb)
# lintian warns when it runs as root, as CI does; the verdict is its status.
lintian --fail-on error,warning --display-info "$package"
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$package" "$root"
tests/install/check_install.sh --root "$root" /usr tests/data/corpus/jpeg/libjpeg-turbo/testorig.jpg

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DJIGSAW_SANITIZE=ON -DJIGSAW_BENCH=OFF
cmake --build build-sanitize
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-sanitize --output-on-failure -j "$jobs"
