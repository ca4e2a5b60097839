#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the test
# suite, the Debian package made from it, the same suite built with the
# address and undefined-behaviour sanitizers, each fuzz target for a short
# while, and the Windows check.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh test

build=${WINTARVO_TEST_BUILD:-build-test}
# Laid out for the Debian package as well, so that it can be packed below.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWINTARVO_PACKAGE=ON
cmake --build "$build"
scripts/start-cups.sh  # the printing tests print on its PDF printer
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"

# The tests that take access away from files and folders, once more from a
# copy of the build inside a folder that only its owner may enter, as a clone
# in a home folder is: what they start must be reached from there too. Each
# fixture runs in one process, so a test that leaves the process changed
# (its folder, environment, limits or capabilities) trips the next.
closed=$(mktemp -d)  # mode 700
trap 'rm -rf "$closed"' EXIT
for file in converter/xkryst converter/xkryst_windows.so converter/tests/wt_converter_qt_tests \
    frontend/tests/wt_frontend_tests frontend/tests/wt_frontend_window_tests \
    plotview/tests/wt_plotview_qt_tests; do
  mkdir -p "$closed/build/$(dirname "$file")"
  cp "$build/$file" "$closed/build/$file"
done
for run in "converter/tests/wt_converter_qt_tests XkrystProgramTest.*" \
    "frontend/tests/wt_frontend_tests SettingsFileTest.*" \
    "frontend/tests/wt_frontend_window_tests Form1Test.*" \
    "plotview/tests/wt_plotview_qt_tests AzioniTest.*"; do
  read -r program filter <<<"$run"
  if ! out=$(cd "$closed" && "$closed/build/$program" --gtest_filter="$filter" --gtest_brief=1 2>&1); then
    echo "$out" >&2
    echo "test.sh: $filter failed from a build inside a closed folder" >&2
    exit 1
  fi
done
echo "test.sh: the tests that take access away pass from a build inside a closed folder"

# The Debian package made from this build: its files, Depends, desktop entries.
scripts/package.sh --from "$build" >/dev/null

# The whole suite again under the sanitizers, optimised lightly so that it
# builds fast and its reports keep their lines. Leaks are reported too.
asan=${WINTARVO_ASAN_BUILD:-build-asan}
cmake -S . -B "$asan" -G Ninja -DWINTARVO_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug \
  "-DCMAKE_CXX_FLAGS_DEBUG=-O1 -g1"
cmake --build "$asan"
ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1} \
  UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1} \
  ctest --test-dir "$asan" --output-on-failure -j"$(nproc)"

# Every fuzz target for 25 seconds, two at a time (scripts/fuzz.sh; the long
# runs are described in docs/fuzzing.md).
scripts/fuzz.sh -j 2 all 25

# The Windows side of the platform layer, compiled and tested.
scripts/windows-check.sh

echo "test.sh: every test passed in $((SECONDS / 60)) min $((SECONDS % 60)) s"
