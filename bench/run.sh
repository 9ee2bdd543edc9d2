#!/usr/bin/env bash
# Benchmarks tavelle-cli on generated corpora and compares each run with
# the I/O floor: a program that only reads the same input and writes the
# same number of files and bytes.
#
#   bench/run.sh [--disk FOLDER] [small|medium|large|huge ...]
#                                   (default sizes: small medium large;
#                                   huge, 5 times large, is asked for by name)
#
# Builds a Release tree in build-bench/, generates the corpora into
# $TAVELLE_BENCH_DIR (default /dev/shm/tavelle-bench; kept for later runs),
# then for each size runs ROUNDS rounds (default 3) of: a full run with
# auto-linking, diagrams, the script tree and the three help templates on,
# then the floor. With --disk, each round also writes the run's output and
# the floor's into FOLDER (a folder on a real disk), with a sync inside each
# time. Prints the medians, and checks every round's peak resident memory
# against the stated ceiling: a size whose peak passes it fails the script.
set -euo pipefail

source "$(dirname "$0")/common.sh"
TIME=/usr/bin/time

disk=""
if [ "${1:-}" = "--disk" ]; then
  [ $# -ge 2 ] || die "--disk needs a folder"
  disk=$2
  shift 2
fi
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(small medium large)
for size in "${sizes[@]}"; do
  case "$size" in small|medium|large|huge) ;; *) die "unknown size '$size' (use small, medium, large or huge)";; esac
done
[[ "$ROUNDS" =~ ^[1-9][0-9]*$ ]] || die "ROUNDS must be a positive number, not '$ROUNDS'"

if [ ! -x "$TIME" ]; then
  note "$TIME is missing; installing the 'time' package with scripts/install-deps.sh"
  "$ROOT/scripts/install-deps.sh"
  [ -x "$TIME" ] || die "$TIME is still missing"
fi

# --- build -----------------------------------------------------------------
build_release
CLI="$BUILD/bin/tavelle-cli"
CORPUS="$BUILD/bin/tavelle-corpus"
FLOOR="$BUILD/bin/tavelle-io-floor"
for program in "$CLI" "$CORPUS" "$FLOOR"; do
  [ -x "$program" ] || die "$program was not built"
done

mkdir -p "$WORK" || die "cannot create $WORK"
if [ -n "$disk" ]; then
  mkdir -p "$disk" || die "cannot create $disk"
  disk=$(cd "$disk" && pwd)
fi

# --- helpers ---------------------------------------------------------------
stat_of() { sed -n "s/^$2=//p" "$1/corpus-stats.txt"; }

# "files bytes" of everything below a folder.
count_output() {
  find "$1" -type f -printf '%s\n' | awk '{ n++; s += $1 } END { printf "%d %d\n", n, s }'
}

# The resident-memory ceiling in MB for PAGES topic pages and INPUT_BYTES
# of sources: a fixed base, plus bytes per page and per input byte (the
# README's performance section states the same formula).
CEILING_BASE_MB=64
CEILING_BYTES_PER_PAGE=1800
CEILING_BYTES_PER_INPUT_BYTE=1.0
ceiling_mb() {
  awk -v p="$1" -v b="$2" -v base="$CEILING_BASE_MB" -v pp="$CEILING_BYTES_PER_PAGE" \
      -v pb="$CEILING_BYTES_PER_INPUT_BYTE" 'BEGIN { printf "%.0f", base + (p * pp + b * pb) / 1048576 }'
}

median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# Runs a command under time; sets SECONDS_TAKEN and PEAK_KB.
timed() {
  local log="$WORK/time.txt"
  if ! "$TIME" -f '%e %M' -o "$log" "$@" >"$WORK/stdout.txt" 2>"$WORK/stderr.txt"; then
    note "failed: $*"
    tail -n 5 "$WORK/stderr.txt" >&2
    return 1
  fi
  read -r SECONDS_TAKEN PEAK_KB < <(tail -n 1 "$log")
}

# Runs a command and then sync, inside one time.
timed_synced() { timed sh -c '"$@" && sync' sh "$@"; }

# One run and its floor with their output in folder $2 (tmpfs or disk),
# timed by $1 (timed or timed_synced). Sets WALL, FLOOR_TAKEN, PEAK_KB,
# FILES and BYTES; false when the run failed (RUN_FAILURE says why).
one_round() {
  local timer=$1 base=$2 out="$2/out-$size" floor_out="$2/floor-$size"
  rm -rf "$out" "$floor_out" "$WORK/search-$size.sqlite"
  mkdir -p "$out"
  if ! "$timer" env TAVELLE_SEARCH_DB="$WORK/search-$size.sqlite" "$CLI" -q "$dir/corpus.tvg" -o "$out"; then
    RUN_FAILURE="tavelle-cli failed"; return 1
  fi
  WALL=$SECONDS_TAKEN
  read -r FILES BYTES < <(count_output "$out")
  if [ "$FILES" -eq 0 ]; then RUN_FAILURE="the run wrote no files"; return 1; fi
  local peak=$PEAK_KB
  "$timer" "$FLOOR" "$dir/src" "$floor_out" "$FILES" "$BYTES" || die "tavelle-io-floor failed"
  FLOOR_TAKEN=$SECONDS_TAKEN
  PEAK_KB=$peak
  rm -rf "$out" "$floor_out" "$WORK/search-$size.sqlite"
}

ratio_of() { awk -v w="$1" -v f="$2" 'BEGIN { if (f > 0) printf "%.1f", w / f; else print "inf" }'; }

# --- rounds ----------------------------------------------------------------
cores=$(nproc 2>/dev/null || echo '?')
memory=$(awk '/MemTotal/ { printf "%.0f GB", $2 / 1048576 }' /proc/meminfo 2>/dev/null || echo '?')
commit=$(git -C "$ROOT" rev-parse --short HEAD 2>/dev/null || echo unknown)
echo "date $(date '+%Y-%m-%d %H:%M'), commit $commit, $cores cores, $memory memory, $ROUNDS rounds"

rows=(); disk_rows=(); over_ceiling=()
for size in "${sizes[@]}"; do
  ensure_corpus "$size"
  dir="$WORK/$size"
  pages=$(stat_of "$dir" pages)
  input_bytes=$(stat_of "$dir" bytes)
  ceiling=$(ceiling_mb "$pages" "$input_bytes")
  walls=(); floors=(); ratios=(); peaks=(); disk_walls=(); disk_floors=(); disk_ratios=()
  failed=""
  for round in $(seq 1 "$ROUNDS"); do
    if ! one_round timed "$WORK"; then failed=$RUN_FAILURE; break; fi
    peak_mb=$((PEAK_KB / 1024))
    note "$size round $round: ${WALL}s, floor ${FLOOR_TAKEN}s, $FILES files, $BYTES bytes, $peak_mb MB peak (ceiling $ceiling MB)"
    [ "$peak_mb" -le "$ceiling" ] || over_ceiling+=("$size round $round: $peak_mb MB peak, ceiling $ceiling MB")
    walls+=("$WALL"); floors+=("$FLOOR_TAKEN"); ratios+=("$(ratio_of "$WALL" "$FLOOR_TAKEN")"); peaks+=("$PEAK_KB")
    [ -n "$disk" ] || continue
    if ! one_round timed_synced "$disk"; then failed="on disk: $RUN_FAILURE"; break; fi
    note "$size round $round on disk: ${WALL}s, floor ${FLOOR_TAKEN}s (sync included)"
    disk_walls+=("$WALL"); disk_floors+=("$FLOOR_TAKEN"); disk_ratios+=("$(ratio_of "$WALL" "$FLOOR_TAKEN")")
  done
  if [ -n "$failed" ]; then
    rows+=("$(printf '%-7s %8s  %s' "$size" "$pages" "$failed")")
    continue
  fi
  wall=$(median "${walls[@]}"); floor=$(median "${floors[@]}")
  rows+=("$(awk -v s="$size" -v p="$pages" -v w="$wall" -v f="$floor" -v r="$(median "${ratios[@]}")" \
                -v m="$(median "${peaks[@]}")" -v c="$ceiling" -v b="$input_bytes" 'BEGIN {
      rate = w > 0 ? sprintf("%.0f", p / w) : "-"
      mbps = w > 0 ? sprintf("%.1f", b / 1e6 / w) : "-"
      printf "%-7s %8d %9.2f %8.2f %7s %11.0f %10d %9s %11s", s, p, w, f, r, m / 1024, c, rate, mbps }')")
  [ -n "$disk" ] || continue
  disk_rows+=("$(printf '%-7s %8d %9.2f %8.2f %7s' "$size" "$pages" "$(median "${disk_walls[@]}")" \
                 "$(median "${disk_floors[@]}")" "$(median "${disk_ratios[@]}")")")
done

echo
printf '%-7s %8s %9s %8s %7s %11s %10s %9s %11s\n' size pages "wall s" "floor s" ratio "peak RSS MB" \
  "ceiling MB" "pages/s" "input MB/s"
printf '%s\n' "${rows[@]}"
if [ -n "$disk" ]; then
  echo
  echo "output on disk ($disk), sync inside each time:"
  printf '%-7s %8s %9s %8s %7s\n' size pages "wall s" "floor s" ratio
  printf '%s\n' "${disk_rows[@]}"
fi
rm -f "$WORK/time.txt" "$WORK/stdout.txt" "$WORK/stderr.txt"
if [ ${#over_ceiling[@]} -gt 0 ]; then
  printf 'bench: over the memory ceiling: %s\n' "${over_ceiling[@]}" >&2
  exit 1
fi
