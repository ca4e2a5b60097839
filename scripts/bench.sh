#!/usr/bin/env bash
# Benchmarks: the converter and the viewer's renderer against peer tools, on
# generated workloads, in one run on one machine. Prints one table (Markdown):
# each workload, our median wall time and peak memory, the peer's, and the
# ratio. Medians of RUNS runs (default 5) after one warm-up.
#
#   scripts/bench.sh            everything
#   RUNS=3 scripts/bench.sh     fewer runs
#
# The peers are Debian's openbabel (obabel) and hp2xx; they are installed when
# missing (root or sudo), and a workload whose peer cannot be had says so.
set -euo pipefail
cd "$(dirname "$0")/.."
RUNS=${RUNS:-5}
STEPS=${STEPS:-2000}
ATOMS=${ATOMS:-400}
LINES=${LINES:-1000000}

scripts/install-deps.sh build
if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
for p in time openbabel hp2xx; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "$p" \
      >/dev/null 2>&1 || echo "bench: could not install $p; its rows are skipped" >&2
  fi
done
have() { command -v "$1" >/dev/null 2>&1; }

build=build-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DWINTARVO_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target xkryst wt_benchgen wt_plotrender >/dev/null
xkryst=$PWD/$build/converter/xkryst
gen=$PWD/$build/bench/wt_benchgen
render=$PWD/$build/bench/wt_plotrender

work=$(mktemp -d "${TMPDIR:-/tmp}/wintarvo-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
export WINTARVO_DRIVES=$work/drives WINTARVO_UI=console
zorb=$WINTARVO_DRIVES/drive_c/zorb
mkdir -p "$zorb" "$work/peer" "$work/split"
cd "$work"

echo "Generating the workloads in $work ..." >&2
"$gen" cor traj.cor "$STEPS" "$ATOMS"
"$gen" xyz traj.xyz "$STEPS" "$ATOMS"
"$gen" cor one.cor 1 "$ATOMS"
"$gen" xyz one.xyz 1 "$ATOMS"
"$gen" hgl-random random.hgl "$LINES"
"$gen" hgl-steps steps.hgl "$LINES"
"$gen" hgl-random random-small.hgl $((LINES / 10))
printf 'all\n' >all.txt
printf '%s\n' "$STEPS" >last.txt
printf '1\n' >first.txt

# measure NAME [< input] -- COMMAND...: runs the command once to warm up and
# RUNS times counted; sets WALL (median seconds) and MEM (median peak MiB).
measure() {
  local input=/dev/null
  if [ "$1" = "<" ]; then input=$2; shift 2; fi
  local walls=() mems=()
  for i in $(seq 0 "$RUNS"); do
    /usr/bin/time -f '%e %M' -o "$work/time.out" "$@" <"$input" >/dev/null 2>&1 || true
    read -r wall mem <"$work/time.out" || { wall=nan; mem=0; }
    [ "$i" -eq 0 ] && continue
    walls+=("$wall")
    mems+=("$mem")
  done
  WALL=$(printf '%s\n' "${walls[@]}" | sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}')
  MEM=$(printf '%s\n' "${mems[@]}" | sort -g | awk '{a[NR]=$1} END {printf "%.1f", a[int((NR+1)/2)]/1024}')
}

rows=()
row() { rows+=("| $1 | $2 s | $3 MiB | $4 | $5 | $6 |"); }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (a > 0) printf "%.1f×", b / a; else print "n/a" }'; }

echo "Measuring ..." >&2
measure cat traj.cor
read_wall=$WALL
cmp_total=0
for kind in 2 3; do
  ext=$([ $kind = 2 ] && echo xyz || echo com)
  peerfmt=$([ $kind = 2 ] && echo xyz || echo gjf)
  measure "<" all.txt "$xkryst" traj.cor $kind
  ours=$WALL ours_mem=$MEM
  if [ $kind = 2 ]; then
    # The machine's own limit for these bytes and files: reading the input,
    # and writing what the converter wrote as as many files.
    cat "$zorb"/tarvo0*."$ext" >written.all
    measure split -n "$STEPS" written.all split/x
    limit=$(awk -v a="$read_wall" -v b="$WALL" 'BEGIN { printf "%.3f", a + b }')
    row "all $STEPS steps × $ATOMS atoms → XYZ, vs. read + write limit" "$ours" "$ours_mem" \
      "$limit s (cat + split)" "" "$(awk -v a="$ours" -v b="$limit" 'BEGIN { printf "%.1f× the limit", a / b }')"
  fi
  if have obabel; then
    measure obabel -ixyz traj.xyz -o$peerfmt -O peer/frame.$peerfmt -m -ab
    row "all $STEPS steps × $ATOMS atoms → $ext" "$ours" "$ours_mem" "obabel $WALL s" "$MEM MiB" "$(ratio "$ours" "$WALL") faster"
  else
    row "all $STEPS steps × $ATOMS atoms → $ext" "$ours" "$ours_mem" "obabel: not installed" "" ""
  fi
done

measure "<" first.txt "$xkryst" traj.cor 2
first_mem=$MEM
measure "<" last.txt "$xkryst" traj.cor 2
ours=$WALL ours_mem=$MEM
if have obabel; then
  measure obabel -ixyz traj.xyz -oxyz -O peer/last.xyz -f "$STEPS" -l "$STEPS" -ab
  row "step $STEPS of $STEPS → XYZ (step 1: $first_mem MiB)" "$ours" "$ours_mem" "obabel $WALL s" "$MEM MiB" "$(ratio "$ours" "$WALL") faster"
fi

measure "$xkryst" one.cor 2
ours=$WALL ours_mem=$MEM
if have obabel; then
  measure obabel -ixyz one.xyz -oxyz -O peer/one.xyz -ab
  row "one step of $ATOMS atoms, whole process" "$ours" "$ours_mem" "obabel $WALL s" "$MEM MiB" "$(ratio "$ours" "$WALL") faster"
fi

measure "$render" random-small.hgl out.ppm
small_mem=$MEM
for plot in random steps; do
  measure "$render" $plot.hgl out.ppm
  ours=$WALL ours_mem=$MEM
  measure cat $plot.hgl
  plot_read=$WALL
  label="$LINES HP-GL lines ($plot) → 556-px image; reading alone $plot_read s"
  [ $plot = random ] && label="$label; $((LINES / 10)) lines: $small_mem MiB"
  if have hp2xx; then
    measure hp2xx -q -m pbm -d 75 -f peer/out.pbm $plot.hgl
    row "$label" "$ours" "$ours_mem" "hp2xx $WALL s" "$MEM MiB" "$(ratio "$ours" "$WALL") faster"
  else
    row "$label" "$ours" "$ours_mem" "hp2xx: not installed" "" ""
  fi
done

cpu=$(lscpu 2>/dev/null | sed -n 's/^Model name: *//p' | head -1)
echo
echo "$(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) cores, ${cpu:-unknown CPU}, $(uname -sr); medians of $RUNS runs after a warm-up"
echo
echo "| workload | ours | peak | peer | peer peak | ratio |"
echo "|---|---|---|---|---|---|"
printf '%s\n' "${rows[@]}"
