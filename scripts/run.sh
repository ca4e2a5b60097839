#!/usr/bin/env bash
# Installs what is missing, builds WinTarvo, installs it into c:\zorb\ and
# runs its main job on the package's own sample data.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh build

drives=${WINTARVO_DRIVES:-$HOME/.wintarvo}
zorb="$drives/drive_c/zorb"
cmake -S . -B build-run -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$zorb"
cmake --build build-run
cmake --install build-run >/dev/null
echo "WinTarvo is installed in c:\\zorb\\, that is $zorb"
