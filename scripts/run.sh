#!/usr/bin/env bash
# Installs what is missing, builds WinTarvo, installs it into c:\zorb\ and
# runs its main job on the package's own sample data: with a display the
# front end opens on the sample dataset; without one the converter turns the
# sample coordinate file into every kind of output on the console.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh build

drives=${WINTARVO_DRIVES:-$HOME/.wintarvo}
zorb="$drives/drive_c/zorb"
# Only what is installed: the three programs and the stand-in, no tests.
cmake -S . -B build-run -G Ninja -DCMAKE_BUILD_TYPE=Release -DWINTARVO_BUILD_TESTS=OFF \
  -DCMAKE_INSTALL_PREFIX="$zorb"
cmake --build build-run --target Wintarvo xkryst wtplot wt_standin_program
cmake --install build-run >/dev/null
echo "WinTarvo is installed in c:\\zorb\\, that is $zorb/"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ "${WINTARVO_UI:-}" != console ]; then
  # A first start remembers the sample dataset; later starts keep the user's.
  [ -e "$zorb/wtarvo.ini" ] || cp sample/wtarvo.ini "$zorb/wtarvo.ini"
  echo "Starting the front end: Calculate runs the stand-in computation on the sample"
  echo "dataset, File > Export converts its result; wtplot shows c:\\zorb\\zorb1.hgl."
  cd "$zorb"
  exec env WINTARVO_DRIVES="$drives" ./Wintarvo
fi

echo "No display: converting the sample coordinate file c:\\zorb\\temp64, every step, in every kind."
for kind in 1 2 3 4; do
  printf 'all\n' | WINTARVO_UI=console WINTARVO_DRIVES="$drives" "$zorb/xkryst" 'c:\zorb\temp64' "$kind"
done
echo "The converted files are in c:\\zorb\\, that is $zorb/:"
(cd "$zorb" && ls -l tarvo0*)
echo "Printing needs no display either: $zorb/wtplot 'c:\\zorb\\zorb1.hgl' P"
echo "prints the sample plot on the default printer. Without one it says \"No printer is"
echo "installed\": choose one (lpoptions -d NAME), or run scripts/start-cups.sh as root to"
echo "start the print server with a PDF printer as the default (pages land in ~/PDF/)."
