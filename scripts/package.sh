#!/usr/bin/env bash
# Builds the Debian package of WinTarvo: a Release build laid out for /usr
# (WINTARVO_PACKAGE=ON), made into a .deb by CPack, which asks dpkg-shlibdeps
# for the libraries it depends on. Then checks the package: the files every
# installation needs are in it, its control fields name the Qt libraries,
# its desktop entries are valid. Prints the path of the .deb.
#
#   scripts/package.sh             build-package/wintarvo_VERSION_ARCH.deb
#   scripts/package.sh --from DIR  packs and checks the build in DIR, configured
#                                  with WINTARVO_PACKAGE=ON and built already
#                                  (the test command's quick check)
#
# Install it with `apt install ./build-package/wintarvo_*.deb`.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" = --from ]; then
  build=${2:?"usage: scripts/package.sh [--from BUILD_FOLDER]"}
  grep -qx 'WINTARVO_PACKAGE:BOOL=ON' "$build/CMakeCache.txt" ||
    { echo "package: $build is not configured with WINTARVO_PACKAGE=ON" >&2; exit 1; }
else
  scripts/install-deps.sh package
  build="build-package"
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DWINTARVO_BUILD_TESTS=OFF \
    -DWINTARVO_PACKAGE=ON >/dev/null
  cmake --build "$build" -j "$(nproc)" >/dev/null
fi
rm -f "$build"/wintarvo_*.deb
(cd "$build" && cpack -G DEB >/dev/null 2>"cpack.err") ||
  { cat "$build/cpack.err" >&2; exit 1; }
debs=("$build"/wintarvo_*.deb)
deb=${debs[0]}
[ -f "$deb" ] || { echo "package: cpack made no .deb in $build" >&2; exit 1; }

fail() {
  echo "package: $deb: $*" >&2
  exit 1
}
listing=$(dpkg-deb -c "$deb")
contents=$(awk '{ print $6 }' <<<"$listing")
zorb=usr/lib/wintarvo/zorb
for path in usr/bin/Wintarvo usr/bin/xkryst usr/bin/wtplot \
    $zorb/Wintarvo $zorb/xkryst $zorb/xkryst_windows.so $zorb/wtplot $zorb/wtarvo.bat $zorb/tarvo.exe \
    $zorb/temp64 $zorb/zorb1.hgl $zorb/sample/benz.in $zorb/wtarvo.ini \
    $zorb/wintarvo-system-install \
    usr/share/applications/wintarvo.desktop usr/share/applications/wtplot.desktop \
    usr/share/mime/packages/wintarvo.xml \
    usr/share/icons/hicolor/scalable/apps/wintarvo.svg \
    usr/share/icons/hicolor/scalable/apps/wtplot.svg \
    usr/share/icons/hicolor/48x48/apps/wintarvo.png \
    usr/share/icons/hicolor/48x48/apps/wtplot.png \
    usr/share/man/man1/Wintarvo.1.gz usr/share/man/man1/xkryst.1.gz \
    usr/share/man/man1/wtplot.1.gz usr/share/doc/wintarvo/user-guide.md; do
  grep -qxF "./$path" <<<"$contents" || fail "$path is missing"
done
for link in Wintarvo xkryst wtplot; do
  grep -qF "./usr/bin/$link -> ../lib/wintarvo/zorb/$link" <<<"$listing" ||
    fail "usr/bin/$link is not a link to ../lib/wintarvo/zorb/$link"
done
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libqt6printsupport6; do
  grep -q "$lib" <<<"$depends" || fail "Depends names no $lib: $depends"
done
unpacked=$(mktemp -d "${TMPDIR:-/tmp}/wintarvo-deb.XXXXXX")
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
desktop-file-validate "$unpacked"/usr/share/applications/*.desktop ||
  fail "a desktop entry is not valid"
echo "$deb"
