#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh test

build=${WINTARVO_TEST_BUILD:-build-test}
# Laid out for the Debian package as well, so that it can be packed below.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWINTARVO_PACKAGE=ON
cmake --build "$build"
scripts/start-cups.sh  # the printing tests print on its PDF printer
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"

# The Debian package made from this build: its files, Depends, desktop entries.
scripts/package.sh --from "$build" >/dev/null

# The Windows side of the platform layer, compiled and tested.
scripts/windows-check.sh
