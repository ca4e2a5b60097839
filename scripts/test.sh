#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh test

build=${WINTARVO_TEST_BUILD:-build-test}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build"
scripts/start-cups.sh  # the printing tests print on its PDF printer
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"

# The Windows side of the platform layer, compiled and tested.
scripts/windows-check.sh
