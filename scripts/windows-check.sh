#!/usr/bin/env bash
# The Windows build check: cross-compiles the Qt-free libraries and the
# Windows files of platform/ with mingw-w64 and runs their tests under wine.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${WINTARVO_WINDOWS_BUILD:-build-windows}
export WINEDEBUG=-all
export WINTARVO_SCRATCH_DRIVE_C=1  # the tests may write c:\zorb\ of this private wine system
export WINEPREFIX="$PWD/$build/wineprefix"
mkdir -p "$build"
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
  -DWINTARVO_BUILD_GUI=OFF -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build"
[ -d "$WINEPREFIX" ] || wineboot --init >/dev/null 2>&1 || true
ctest --test-dir "$build" --output-on-failure
