#!/usr/bin/env bash
# Benchmarks: the converter and the viewer's renderer against peer tools, on
# generated workloads, in one run on one machine. Prints one table (Markdown):
# each workload, our median wall time, CPU time and peak memory, the same for
# the peer or the machine's own limit, the ratio and whether the target is
# met. Medians of RUNS runs (default 5) after one warm-up run, measured by
# bench/benchrun.cpp. This measures; it never fails on speed.
#
#   scripts/bench.sh              everything
#   RUNS=3 scripts/bench.sh       fewer runs
#   STEPS=200 LINES=100000 scripts/bench.sh   smaller workloads
#
# The peers are Debian's openbabel (obabel) and hp2xx. When one is missing it
# is installed (as root, or through sudo without a password); when it cannot
# be had its rows say so and are skipped.
#
# Where the files are written matters: on an ext4 without a journal every new
# file costs a scan of recently deleted ones, which users' file systems do not
# pay. The work folder is made under BENCH_DIR when it is set, else under
# TMPDIR (or /tmp); when that file system has no journal and the script runs
# as root, it makes a journaled ext4 on a loop device for the run and removes
# it afterwards. The table says which file system it measured.
set -euo pipefail
cd "$(dirname "$0")/.."
RUNS=${RUNS:-5}
STEPS=${STEPS:-2000}
ATOMS=${ATOMS:-400}
LINES=${LINES:-1000000}
JOBS=${JOBS:-2}

scripts/install-deps.sh build

# Peers: ensure_peer COMMAND PACKAGE sets PEER_NOTE[COMMAND] to why it is
# missing, or leaves it empty.
declare -A PEER_NOTE
ensure_peer() {
  local cmd=$1 package=$2
  PEER_NOTE[$cmd]=""
  command -v "$cmd" >/dev/null 2>&1 && return 0
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    if sudo -n true 2>/dev/null; then sudo=(sudo -n); else
      PEER_NOTE[$cmd]="$cmd not installed (package $package; no root to install it)"
      return 0
    fi
  fi
  echo "bench: installing $package ..." >&2
  if ! "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q \
        --no-install-recommends "$package" >/dev/null 2>&1; then
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q >/dev/null 2>&1 || true
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q \
      --no-install-recommends "$package" >/dev/null 2>&1 || true
  fi
  command -v "$cmd" >/dev/null 2>&1 ||
    PEER_NOTE[$cmd]="$cmd not installed (apt-get install $package failed)"
}
ensure_peer obabel openbabel
ensure_peer hp2xx hp2xx
for cmd in obabel hp2xx; do
  [ -z "${PEER_NOTE[$cmd]}" ] || echo "bench: ${PEER_NOTE[$cmd]}; its rows are skipped" >&2
done

build=build-bench
log=$(mktemp)
echo "Building (Release, $build) ..." >&2
if ! { cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DWINTARVO_BUILD_TESTS=OFF &&
       cmake --build "$build" -j "$JOBS" --target xkryst wt_benchgen wt_benchrun wt_plotrender \
         wt_safewrite
     } >"$log" 2>&1; then
  cat "$log" >&2
  echo "bench: the build failed (scripts/install-deps.sh build installs what it needs)" >&2
  exit 1
fi
rm -f "$log"
xkryst=$PWD/$build/converter/xkryst
gen=$PWD/$build/bench/wt_benchgen
run=$PWD/$build/bench/wt_benchrun
render=$PWD/$build/bench/wt_plotrender
safewrite=$PWD/$build/bench/wt_safewrite

# fs_of FOLDER: "TYPE JOURNAL" of the file system FOLDER is on, JOURNAL being
# journal, no-journal or unknown.
fs_of() {
  local source type journal=unknown
  read -r source type < <(findmnt -n -o SOURCE,FSTYPE -T "$1")
  case $type in
    ext2) journal=no-journal ;;
    ext3|ext4)
      # A mounted journal has its entry in /proc/fs/jbd2 (loop0-8 for
      # /dev/loop0); the superblock says it too, where it may be read.
      local device
      device=$(basename "$(readlink -f "$source")")
      if [ -d /proc/fs/jbd2 ]; then
        if compgen -G "/proc/fs/jbd2/$device-*" >/dev/null; then journal=journal; else journal=no-journal; fi
      elif features=$(dumpe2fs -h "$source" 2>/dev/null | grep '^Filesystem features:'); then
        if grep -qw has_journal <<<"$features"; then journal=journal; else journal=no-journal; fi
      fi ;;
    xfs|jfs|reiserfs) journal=journal ;;
    tmpfs|ramfs) journal=no-journal ;;
  esac
  echo "${type:-unknown} $journal"
}

base=${BENCH_DIR:-${TMPDIR:-/tmp}}
read -r fs_type fs_journal < <(fs_of "$base")
fs_note="$fs_type $(sed 's/-/ /' <<<"$fs_journal") (${BENCH_DIR:+BENCH_DIR }$base)"
loop_image="" loop_mount=""
cleanup() {
  cd /  # out of the work folder, so that its file system can be unmounted
  rm -rf "${work:-}"
  if [ -n "$loop_mount" ]; then umount "$loop_mount" && rmdir "$loop_mount"; fi
  [ -z "$loop_image" ] || rm -f "$loop_image"
}
trap cleanup EXIT
if [ -z "${BENCH_DIR:-}" ] && [ "$fs_journal" = no-journal ] && [ "$(id -u)" -eq 0 ]; then
  echo "bench: $base is on $fs_type without a journal; measuring on a journaled ext4 made for the run" >&2
  loop_image=$(mktemp "$base/wintarvo-bench.XXXXXX.img")
  truncate -s 2G "$loop_image"
  mkfs.ext4 -q -F "$loop_image"
  loop_mount=$(mktemp -d "$base/wintarvo-bench-mount.XXXXXX")
  mount -o loop "$loop_image" "$loop_mount"
  base=$loop_mount
  read -r fs_type fs_journal < <(fs_of "$base")
  fs_note="$fs_type $(sed 's/-/ /' <<<"$fs_journal") on a loop device made for this run (the work folder's own file system has none)"
elif [ "$fs_journal" != journal ]; then
  echo "bench: $base is on $fs_type ($fs_journal); set BENCH_DIR to a folder on a journaled file system to measure as users' machines write" >&2
fi
work=$(mktemp -d "$base/wintarvo-bench.XXXXXX")
export WINTARVO_DRIVES=$work/drives WINTARVO_UI=console
zorb=$WINTARVO_DRIVES/drive_c/zorb
mkdir -p "$zorb" "$work/peer" "$work/split" "$work/safe"
cd "$work"

echo "Generating the workloads in $work ..." >&2
"$gen" cor traj.cor "$STEPS" "$ATOMS"
"$gen" xyz traj.xyz "$STEPS" "$ATOMS"
"$gen" cor one.cor 1 "$ATOMS"
"$gen" xyz one.xyz 1 "$ATOMS"
"$gen" hgl-random random.hgl "$LINES"
"$gen" hgl-steps steps.hgl "$LINES"
"$gen" hgl-random random-tenth.hgl $((LINES / 10))
printf 'all\n' >all.txt
printf '%s\n' "$STEPS" >last.txt
printf '1\n' >first.txt

# settle: what earlier steps wrote is flushed to the disk, and then, for up
# to 10 s, the machine is left until it is idle (97% of a fifth of a second):
# after a sync the journal's commits and the file system's workers still run
# a while, and they would take the core that a program of two threads uses.
settle() {
  sync
  local a b c d e f g h idle total prevIdle prevTotal i
  read -r _ a b c d e f g h _ </proc/stat
  prevIdle=$((d + e)) prevTotal=$((a + b + c + d + e + f + g + h))
  for i in $(seq 50); do
    sleep 0.2
    read -r _ a b c d e f g h _ </proc/stat
    idle=$((d + e)) total=$((a + b + c + d + e + f + g + h))
    [ $(((idle - prevIdle) * 100)) -lt $(((total - prevTotal) * 97)) ] || return 0
    prevIdle=$idle prevTotal=$total
  done
  echo "bench: the machine was still busy after 10 s; measuring all the same" >&2
}

# measure [< INPUT] COMMAND...: sets WALL, CPU and PEAK (medians), or FAILED
# to why it could not be measured, on a settled machine.
measure() {
  local input=/dev/null out
  if [ "$1" = "<" ]; then input=$2; shift 2; fi
  FAILED="" WALL=0 CPU=0 PEAK=0
  settle
  if out=$("$run" "$RUNS" "$input" -- "$@" 2>"$work/run.err"); then
    read -r WALL CPU _ _ PEAK <<<"$out"
  else
    FAILED="failed: $(tail -1 "$work/run.err")"
    echo "bench: $* $FAILED" >&2
  fi
}

# secs SECONDS: three significant digits, so that a few milliseconds keep
# theirs (0.00342) as much as a second does (1.13).
secs() { awk -v s="$1" 'BEGIN { printf "%.3g", s }'; }
# cost WALL CPU [PEAK]: a table cell.
cost() {
  if [ -n "${3:-}" ]; then echo "$(secs "$1") s (CPU $(secs "$2") s), $3 MiB"; else
    echo "$(secs "$1") s (CPU $(secs "$2") s)"; fi
}
# ratio A B: B / A, as "4.7×".
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (a > 0) printf "%.1f×", b / a; else print "n/a" }'; }
# atleast X TARGET: "met" when X >= TARGET.
atleast() { awk -v x="$1" -v t="$2" 'BEGIN { print (x >= t ? "met" : "missed") }'; }

rows=()
row() { rows+=("| $1 | $2 | $3 | $4 | $5 |"); }

# ours_vs_peer WORKLOAD PEER TARGET PEER-COMMAND...: a row against a peer, from
# our OURS_WALL, OURS_CPU and OURS_PEAK; TARGET is the wall-time ratio to
# reach, or "" for none.
ours_vs_peer() {
  local workload=$1 peer=$2 target=$3
  shift 3
  local ours
  ours=$(cost "$OURS_WALL" "$OURS_CPU" "$OURS_PEAK")
  if [ -n "$OURS_FAILED" ]; then
    row "$workload" "ours $OURS_FAILED" "" "" ""
    return
  fi
  if [ -n "${PEER_NOTE[$peer]}" ]; then
    row "$workload" "$ours" "skipped: ${PEER_NOTE[$peer]}" "" ""
    return
  fi
  measure "$@"
  if [ -n "$FAILED" ]; then
    row "$workload" "$ours" "$peer $FAILED" "" ""
    return
  fi
  local ratio verdict=""
  ratio="$(ratio "$OURS_WALL" "$WALL") faster (CPU $(ratio "$OURS_CPU" "$CPU"))"
  [ -z "$target" ] || verdict="≥ ${target}×: $(atleast "$(awk -v a="$OURS_WALL" -v b="$WALL" \
    'BEGIN { print (a > 0 ? b / a : 0) }')" "$target")"
  row "$workload" "$ours" "$peer: $(cost "$WALL" "$CPU" "$PEAK")" "$ratio" "$verdict"
}

ours() {
  measure "$@"
  OURS_WALL=$WALL OURS_CPU=$CPU OURS_PEAK=$PEAK OURS_FAILED=$FAILED
}

echo "Measuring ($RUNS runs each after a warm-up) ..." >&2
measure cat traj.cor
read_wall=$WALL read_cpu=$CPU
for kind in 2 3; do
  if [ $kind = 2 ]; then ext=xyz peerfmt=xyz name=XYZ; else ext=com peerfmt=gjf name="Gauss 94"; fi
  workload="all $STEPS steps × $ATOMS atoms → $name"
  ours "<" all.txt "$xkryst" traj.cor $kind
  ours_vs_peer "$workload" obabel 8 \
    obabel -ixyz traj.xyz -o$peerfmt -O "peer/frame.$peerfmt" -m -ab
  # The machine's own limit for these bytes and files: reading the input,
  # and writing what the converter wrote as as many files.
  if [ -z "$OURS_FAILED" ]; then
    cat "$zorb"/tarvo[0-9]*."$ext" >written.all
    files=$(find "$zorb" -name "tarvo[0-9]*.$ext" | wc -l)
    bytes=$(stat -c %s written.all)
    measure split -n "$files" written.all split/x
    limit_wall=$(awk -v a="$read_wall" -v b="$WALL" 'BEGIN { printf "%.6f", a + b }')
    limit_cpu=$(awk -v a="$read_cpu" -v b="$CPU" 'BEGIN { printf "%.6f", a + b }')
    over=$(awk -v a="$OURS_WALL" -v b="$limit_wall" 'BEGIN { printf "%.1f", (b > 0 ? a / b : 0) }')
    row "$workload, against the machine's limit" "$(cost "$OURS_WALL" "$OURS_CPU")" \
      "cat of the input $(secs "$read_wall") s + split into $files files of $bytes bytes in all $(secs "$WALL") s = $(cost "$limit_wall" "$limit_cpu")" \
      "${over}× the limit" "≤ 3×: $(awk -v x="$over" 'BEGIN { print (x <= 3 ? "met" : "missed") }')"
    # The floor of writing the same files safely: their bytes, ready made,
    # each by a temporary file renamed over its target (bench/safewrite.cpp).
    (cd "$zorb" && find . -maxdepth 1 -name "tarvo[0-9]*.$ext" -printf '%f %s\n' | sort) >written.sizes
    (cd "$zorb" && cut -d' ' -f1 "$work/written.sizes" | xargs cat) >written.all
    measure "$safewrite" safe written.sizes written.all
    over=$(awk -v a="$OURS_WALL" -v b="$WALL" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }')
    row "$workload, against writing its files safely" "$(cost "$OURS_WALL" "$OURS_CPU")" \
      "the same $files files written by temporary file and rename, no formatting: $(cost "$WALL" "$CPU")" \
      "${over}× the floor" "≤ 1.3×: $(awk -v x="$over" 'BEGIN { print (x <= 1.3 ? "met" : "missed") }')"
    rm -f written.all written.sizes split/x* safe/*
  fi
done

ours "<" last.txt "$xkryst" traj.cor 2
ours_vs_peer "step $STEPS of $STEPS → XYZ" obabel 50 \
  obabel -ixyz traj.xyz -oxyz -O peer/last.xyz -f "$STEPS" -l "$STEPS" -ab
last_peak=$OURS_PEAK
ours "<" first.txt "$xkryst" traj.cor 2
row "peak memory: step 1 and step $STEPS → XYZ" "step 1: $OURS_PEAK MiB" "step $STEPS: $last_peak MiB" \
  "$(awk -v a="$OURS_PEAK" -v b="$last_peak" 'BEGIN { printf "%+.1f MiB", b - a }')" \
  "flat: $(awk -v a="$OURS_PEAK" -v b="$last_peak" 'BEGIN { d = b - a; print (d <= 1 && d >= -1 ? "met" : "missed") }')"

ours "$xkryst" one.cor 2
ours_vs_peer "one step of $ATOMS atoms → XYZ, the whole process" obabel 3 \
  obabel -ixyz one.xyz -oxyz -O peer/one.xyz -ab

for plot in random steps; do
  measure cat $plot.hgl
  label="$LINES HP-GL lines ($plot) → 556-px image (cat of the file: $(secs "$WALL") s)"
  ours "$render" $plot.hgl out.ppm
  [ $plot = random ] && random_peak=$OURS_PEAK
  ours_vs_peer "$label" hp2xx 10 hp2xx -q -m pbm -d 75 -f peer/out.pbm $plot.hgl
done
ours "$render" random-tenth.hgl out.ppm
row "peak memory: $((LINES / 10)) and $LINES random HP-GL lines" "$((LINES / 10)) lines: $OURS_PEAK MiB" \
  "$LINES lines: $random_peak MiB" \
  "$(awk -v a="$OURS_PEAK" -v b="$random_peak" 'BEGIN { printf "%+.1f MiB", b - a }')" \
  "flat: $(awk -v a="$OURS_PEAK" -v b="$random_peak" 'BEGIN { d = b - a; print (d <= 1 && d >= -1 ? "met" : "missed") }')"

cpu=$(lscpu 2>/dev/null | sed -n 's/^Model name: *//p' | head -1)
memory=$(awk '/^MemTotal/ { printf "%.0f GiB RAM", $2 / 1048576 }' /proc/meminfo 2>/dev/null || true)
peers=()
[ -n "${PEER_NOTE[obabel]}" ] || peers+=("$(obabel -V 2>/dev/null | sed 's/ --.*//')")
[ -n "${PEER_NOTE[hp2xx]}" ] ||
  peers+=("hp2xx $(dpkg-query -W -f='${Version}' hp2xx 2>/dev/null || echo '(version unknown)')")
echo
echo "$(date -u '+%Y-%m-%d %H:%M UTC'); ${cpu:-unknown CPU}, $(nproc) cores, ${memory:-RAM unknown};" \
  "$(uname -sr); files written on $fs_note; $(IFS=,; echo "${peers[*]:-no peers}" | sed 's/,/, /g');" \
  "medians of $RUNS runs after a warm-up; wall time (CPU time = user + system), peak resident memory"
echo
echo "| workload | ours | peer or limit | ratio | target |"
echo "|---|---|---|---|---|"
printf '%s\n' "${rows[@]}"
