#!/usr/bin/env bash
# Checks the format of the C++ sources, builds everything from scratch and runs every test,
# then builds and runs the whole suite once more under AddressSanitizer and
# UndefinedBehaviorSanitizer (build/asan: the pty, window and command-line tests and the
# programs they start, all instrumented; any report fails the run), then cross-compiles the
# Qt-free libraries and orlin-cli.exe for Windows and runs that under Wine against the
# simulated phone (scripts/wine-tests.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/check-format.sh
bash scripts/check-translations.sh
source scripts/compile-cache.sh

rm -rf build/test build/asan build/win64
# The configurations are the presets of CMakePresets.json; the test one makes warnings errors.
cmake --preset test
cmake --build --preset test
(cd build/test && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j 2 --timeout 300)
# The Debian package of that build: its files, its dependencies, the unpacked programs run.
bash scripts/package-check.sh build/test

bash scripts/sanitized-tests.sh

cmake --preset win64
cmake --build --preset win64
echo "Windows cross-compile of the core libraries and orlin-cli.exe: OK"
bash scripts/wine-tests.sh
