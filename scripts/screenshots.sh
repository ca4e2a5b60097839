#!/usr/bin/env bash
# Walks the user's road under a virtual display and takes the pictures of the
# user guide (docs/images/*.png) from the real windows on the way:
#
#   the front end on the sample dataset     main-window.png
#   Options > Editor                         options-dialog.png
#   Browse, Calculate (the stand-in), File > Export > Kryst, XYZ and G94,
#     each confirmed by the converter        converter-created.png
#   the converter on the 3-step c:\zorb\temp64, kind 3:
#     its step window                        converter-step.png
#     option > Input Line                    converter-input-line.png
#   the viewer on c:\zorb\zorb1.hgl         viewer.png
#
# and checks each file the road writes. Ends with status 1, saying what did
# not come, when a window or a file fails to appear.
#
#   scripts/screenshots.sh            builds the programs and installs them into
#                                     a temporary c:\zorb\ (WINTARVO_DRIVES)
#   scripts/screenshots.sh /usr/bin   the programs of the installed package, run
#                                     as a fresh user (HOME in a temporary folder):
#                                     their first start makes c:\zorb\
#   SHOTS=DIR scripts/screenshots.sh  the pictures into DIR instead
#
# Needs Xvfb, xdotool, ImageMagick and the window manager openbox
# (scripts/install-deps.sh screenshots).
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
shots=${SHOTS:-$repo/docs/images}
programs=${1:-}

scripts/install-deps.sh screenshots
mkdir -p "$shots"
work=$(mktemp -d "${TMPDIR:-/tmp}/wintarvo-shots.XXXXXX")
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "screenshots: $*" >&2
  exit 1
}

export HOME=$work/home XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset WINTARVO_UI
if [ -z "$programs" ]; then
  export WINTARVO_DRIVES=$work/drives
  zorb=$WINTARVO_DRIVES/drive_c/zorb
  cmake -S . -B build-shots -G Ninja -DCMAKE_BUILD_TYPE=Release -DWINTARVO_BUILD_TESTS=OFF \
    -DCMAKE_INSTALL_PREFIX="$zorb" >/dev/null
  cmake --build build-shots -j 2 >/dev/null
  cmake --install build-shots >/dev/null
  # What the package's first start leaves: the sample dataset remembered.
  cp "$repo/sample/wtarvo.ini" "$zorb/wtarvo.ini"
  programs=$zorb
else
  unset WINTARVO_DRIVES
  zorb=$HOME/.wintarvo/drive_c/zorb
fi
for program in Wintarvo xkryst wtplot; do
  [ -x "$programs/$program" ] || fail "$programs/$program is not there"
done

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
for _ in $(seq 1 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
DISPLAY=:$(head -1 "$work/display")
export DISPLAY
# A light window manager gives the windows their title bars.
openbox --sm-disable --config-file /dev/null >"$work/openbox.log" 2>&1 &
pids+=($!)
sleep 1

# window NAME: the id of the visible window named NAME, waited for.
window() {
  local id
  for _ in $(seq 1 100); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1 || true)
    if [ -n "$id" ]; then
      sleep 0.5  # painted
      echo "$id"
      return
    fi
    sleep 0.1
  done
  fail "no window \"$1\" came"
}
gone() {
  for _ in $(seq 1 100); do
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  fail "the window \"$1\" did not close"
}
file_appears() {
  for _ in $(seq 1 100); do
    [ -s "$1" ] && return
    sleep 0.1
  done
  fail "$1 was not written"
}
# The time stamps are left out, so that unchanged windows give unchanged files.
shot() { import -frame -window "$1" -strip -define png:exclude-chunks=date,time "$shots/$2"; }
keys() {
  local id=$1
  shift
  xdotool windowfocus --sync "$id"
  for key in "$@"; do
    xdotool key "$key"
    sleep 0.3
  done
}
# click ID X Y: a left click at X, Y inside the window.
click() {
  xdotool mousemove --window "$1" "$2" "$3" click 1
  sleep 0.3
}
# export KEYS... FILE: File > Export, KEYS in the submenu, then the
# converter's confirmation, pictured as NAME when given.
export_as() {
  local file=$1 picture=$2
  shift 2
  rm -f "$zorb/$file"
  keys "$main" alt f e "$@"
  local info
  info=$(window Info)
  [ -z "$picture" ] || shot "$info" "$picture"
  file_appears "$zorb/$file"
  keys "$info" Return
  gone Info
}

# The front end, started as from the desktop menu, in the home folder.
cd "$HOME"
"$programs/Wintarvo" 2>"$work/wintarvo.err" &
pids+=($!)
main=$(window "WinTarvo Menu")
if [ "$programs" != "$zorb" ]; then
  grep -q "made the installation folder" "$work/wintarvo.err" ||
    fail "the first start did not make c:\\zorb\\: $(cat "$work/wintarvo.err")"
fi
[ -f "$zorb/sample/benz.in" ] || fail "no sample dataset in $zorb/sample"
shot "$main" main-window.png

keys "$main" alt o Return
options=$(window "Option Menu")
shot "$options" options-dialog.png
keys "$options" Escape
gone "Option Menu"

keys "$main" alt+b
open=$(window "Open input file")
keys "$open" ctrl+a
xdotool type "$zorb/sample/benz.in"
keys "$open" Return
gone "Open input file"

rm -f "$zorb/sample/benz.cor" "$zorb/sample/benz.out"
keys "$main" alt+a
file_appears "$zorb/sample/benz.cor"
file_appears "$zorb/sample/benz.out"

export_as tarvo.mol "" Return
export_as tarvo.xyz converter-created.png Down Down Return
export_as tarvo.com "" Down Return

# The converter's two windows, on a file of three steps.
(cd "$HOME" && "$programs/xkryst" 'c:\zorb\temp64' 3) &
pids+=($!)
step=$(window WTarvo)
shot "$step" converter-step.png
click "$step" 24 10  # the menu "option"
keys "$step" Down Return
form2=$(window Form2)
shot "$form2" converter-input-line.png
click "$form2" 212 188  # "Cancel"
gone Form2
rm -f "$zorb/tarvo.com"
keys "$step" Tab Tab ctrl+a 2 Tab space
info=$(window Info)
file_appears "$zorb/tarvo.com"
keys "$info" Return
gone WTarvo

"$programs/wtplot" 'c:\zorb\zorb1.hgl' &
pids+=($!)
viewer=$(window "WinTarvo hpgl Reader")
shot "$viewer" viewer.png
click "$viewer" 16 10  # the menu "File"
keys "$viewer" Down Return  # "Save"
saved=$(window wtplot)
keys "$saved" Return
file_appears "$HOME/wtplotr.bmp"
click "$viewer" 16 10
keys "$viewer" Up Return  # "Exit"
gone "WinTarvo hpgl Reader"

keys "$main" alt+e
gone "WinTarvo Menu"
line=$(head -1 "$zorb/wtarvo.ini" | tr -d '\r')
[ "$line" = "$zorb/sample/benz.in" ] || fail "wtarvo.ini remembers '$line'"

echo "screenshots: the road walked; the pictures are in $shots:"
(cd "$shots" && ls -1 -- *.png)
