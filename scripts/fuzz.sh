#!/usr/bin/env bash
# Builds the fuzz targets (clang++, libFuzzer, the address and
# undefined-behaviour sanitizers) and runs one of them, or all, for a fixed
# time. Findings stop the run; the input that caused one is kept in
# BUILD/findings/TARGET/ and the script ends with status 1.
#
# Usage: scripts/fuzz.sh [-j JOBS] TARGET|all SECONDS [libFuzzer options...]
#   TARGET   commandline, coordfile, plotfile or settings
#   -j JOBS  with all: how many targets run at the same time (default 1)
# The build folder is $WINTARVO_FUZZ_BUILD, or build-fuzz. The corpus each
# target has grown stays in BUILD/corpus/TARGET for the next run; the seeds
# come from sample/ and the inputs of earlier findings from fuzz/regressions/.
set -euo pipefail
cd "$(dirname "$0")/.."

targets=(commandline coordfile plotfile settings)
jobs=1
if [ "${1:-}" = -j ]; then
  jobs=$2
  shift 2
fi
if [ $# -lt 2 ]; then
  sed -n '2,12p' "$0" | sed 's/^# \{0,1\}//' >&2
  exit 2
fi
which=${1#fuzz_}
seconds=$2
shift 2
if [ "$which" = all ]; then
  chosen=("${targets[@]}")
elif [[ " ${targets[*]} " == *" $which "* ]]; then
  chosen=("$which")
else
  echo "fuzz: no target '$which' (choose from: ${targets[*]} all)" >&2
  exit 2
fi

build=${WINTARVO_FUZZ_BUILD:-build-fuzz}
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DWINTARVO_FUZZ=ON -DWINTARVO_BUILD_GUI=OFF -DWINTARVO_BUILD_TESTS=OFF >/dev/null
fi
cmake --build "$build" -j 2 --target wt_fuzz_targets

# Seeds from the sample data, made afresh on every run.
make_seeds() {
  local target=$1 dir=$build/seeds/$1
  rm -rf "$dir"
  mkdir -p "$dir"
  case $target in
    commandline)
      # Byte 0 is the word limit; the lines of the samples are the texts.
      local n=0 line
      while IFS= read -r line; do
        n=$((n + 1))
        printf '\003%s' "$line" >"$dir/line$n"
      done < <(cat sample/temp64 sample/benz.in | tr -d '\r' | sort -u)
      printf '\003c:\\zorb\\xkryst  c:\\data\\benz.cor  1' >"$dir/converter"
      printf '\012 \t a.hgl\t P ' >"$dir/viewer"
      ;;
    coordfile)
      cp sample/temp64 "$dir/temp64"
      head -c 1500 sample/temp64 >"$dir/temp64-cut"
      ;;
    plotfile)
      # Bytes 0-3: the surface, little-endian width - 1 and height - 1.
      { printf '\053\002\333\001'; cat sample/zorb1.hgl; } >"$dir/window"
      { printf '\000\000\000\000'; cat sample/zorb1.hgl; } >"$dir/one-pixel"
      { printf '\207\023\253\015'; cat sample/zorb1.hgl; } >"$dir/wide"
      ;;
    settings)
      cp sample/wtarvo.ini "$dir/wtarvo.ini"
      cp sample/benz.in "$dir/benz.in"
      ;;
  esac
}

run() {
  local target=$1
  shift
  local corpus=$build/corpus/$target findings=$build/findings/$target/
  local log=$build/logs/$target.log
  mkdir -p "$corpus" "$findings" "$build/logs"
  make_seeds "$target"
  local regressions=()
  [ -d "fuzz/regressions/$target" ] && regressions=("fuzz/regressions/$target")
  echo "fuzz: $target for ${seconds} s (log: $log)"
  if ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1} UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1} \
    "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=20 -print_final_stats=1 \
    -artifact_prefix="$findings" "$@" "$corpus" "$build/seeds/$target" "${regressions[@]}" \
    >"$log" 2>&1; then
    echo "fuzz: $target clean: $(grep -E '^stat::number_of_executed_units' "$log" | awk '{print $2}') runs," \
      "$(find "$corpus" -type f | wc -l) inputs in its corpus"
  else
    echo "fuzz: $target FOUND A FAULT; the input is in $findings" >&2
    grep -E 'ERROR|check failed|runtime error|SUMMARY|Test unit written' "$log" | head -20 >&2
    return 1
  fi
}

status=0
pids=()
for target in "${chosen[@]}"; do
  if [ "$jobs" -le 1 ]; then
    run "$target" "$@" || status=1
  else
    run "$target" "$@" &
    pids+=($!)
    if [ ${#pids[@]} -ge "$jobs" ]; then
      wait "${pids[0]}" || status=1
      pids=("${pids[@]:1}")
    fi
  fi
done
for pid in "${pids[@]}"; do
  wait "$pid" || status=1
done
exit $status
