#!/usr/bin/env bash
# Installs the Debian packages that building and testing WinTarvo need, the
# ones that are missing only. Root runs apt-get directly, others through sudo;
# a user who may not install says so in one line and stops, unless nothing is
# missing.
# Usage: scripts/install-deps.sh [build|test|package|screenshots]
#   build        the compiler, CMake and Qt: what the programs need
#   test         and what the tests use: GoogleTest, a virtual display, the
#                print server, the Windows cross-compiler with wine, the
#                package tools
#   package      and what making the Debian package needs
#   screenshots  and what the user guide's pictures need
set -euo pipefail

build_packages=(g++ cmake ninja-build pkg-config qt6-base-dev fonts-liberation2 fonts-dejavu-core)
test_packages=(libgtest-dev libgmock-dev xvfb xauth xdotool imagemagick poppler-utils cups cups-client cups-bsd
               printer-driver-cups-pdf g++-mingw-w64-x86-64-posix wine wine64
               dpkg-dev file librsvg2-bin desktop-file-utils
               clang libfuzzer-14-dev libclang-rt-14-dev)
# CPack's Debian generator asks dpkg-shlibdeps (dpkg-dev) for the libraries
# and file(1) which files are programs; the icons are drawn with rsvg-convert.
package_packages=(dpkg-dev file librsvg2-bin desktop-file-utils)
screenshot_packages=("${package_packages[@]}" xvfb xauth xdotool imagemagick openbox)

packages=("${build_packages[@]}")
case "${1:-build}" in
  test) packages+=("${test_packages[@]}") ;;
  package) packages+=("${package_packages[@]}") ;;
  screenshots) packages+=("${screenshot_packages[@]}") ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  sudo=()
elif command -v sudo >/dev/null && { sudo -n true 2>/dev/null || [ -t 0 ]; }; then
  sudo=(sudo)
else
  echo "install-deps: ${missing[*]} missing, and $(id -un) may not install packages: run scripts/install-deps.sh ${1:-build} as root first" >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
