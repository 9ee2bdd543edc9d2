#!/usr/bin/env bash
# Benchmarks tavelle-cli on generated corpora and compares each run with
# the I/O floor: a program that only reads the same input and writes the
# same number of files and bytes.
#
#   bench/run.sh [small|medium|large ...]     (default: small medium large)
#
# Builds a Release tree in build-bench/, generates the corpora into
# $TAVELLE_BENCH_DIR (default /dev/shm/tavelle-bench; kept for later runs),
# then for each size runs ROUNDS rounds (default 3) of: a full run with
# auto-linking, diagrams, the script tree and the three help templates on,
# then the floor. Prints the medians.
set -euo pipefail

source "$(dirname "$0")/common.sh"
TIME=/usr/bin/time

sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(small medium large)
for size in "${sizes[@]}"; do
  case "$size" in small|medium|large) ;; *) die "unknown size '$size' (use small, medium or large)";; esac
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

# --- helpers ---------------------------------------------------------------
stat_of() { sed -n "s/^$2=//p" "$1/corpus-stats.txt"; }

# "files bytes" of everything below a folder.
count_output() {
  find "$1" -type f -printf '%s\n' | awk '{ n++; s += $1 } END { printf "%d %d\n", n, s }'
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

# --- rounds ----------------------------------------------------------------
cores=$(nproc 2>/dev/null || echo '?')
memory=$(awk '/MemTotal/ { printf "%.0f GB", $2 / 1048576 }' /proc/meminfo 2>/dev/null || echo '?')
commit=$(git -C "$ROOT" rev-parse --short HEAD 2>/dev/null || echo unknown)
echo "date $(date '+%Y-%m-%d %H:%M'), commit $commit, $cores cores, $memory memory, $ROUNDS rounds"

rows=()
for size in "${sizes[@]}"; do
  ensure_corpus "$size"
  dir="$WORK/$size"
  pages=$(stat_of "$dir" pages)
  input_bytes=$(stat_of "$dir" bytes)
  walls=(); floors=(); ratios=(); peaks=()
  failed=""
  for round in $(seq 1 "$ROUNDS"); do
    out="$WORK/out-$size"
    rm -rf "$out" "$WORK/floor-$size" "$WORK/search-$size.sqlite"
    mkdir -p "$out"
    if ! timed env TAVELLE_SEARCH_DB="$WORK/search-$size.sqlite" "$CLI" -q "$dir/corpus.tvg" -o "$out"; then
      failed="tavelle-cli failed"; break
    fi
    wall=$SECONDS_TAKEN; peak=$PEAK_KB
    read -r files bytes < <(count_output "$out")
    if [ "$files" -eq 0 ]; then failed="the run wrote no files"; break; fi
    timed "$FLOOR" "$dir/src" "$WORK/floor-$size" "$files" "$bytes" || die "tavelle-io-floor failed"
    floor=$SECONDS_TAKEN
    ratio=$(awk -v w="$wall" -v f="$floor" 'BEGIN { if (f > 0) printf "%.1f", w / f; else print "inf" }')
    note "$size round $round: ${wall}s, floor ${floor}s, $files files, $bytes bytes, $((peak / 1024)) MB peak"
    walls+=("$wall"); floors+=("$floor"); ratios+=("$ratio"); peaks+=("$peak")
  done
  rm -rf "$WORK/out-$size" "$WORK/floor-$size" "$WORK/search-$size.sqlite"
  if [ -n "$failed" ]; then
    rows+=("$(printf '%-7s %8s  %s' "$size" "$pages" "$failed")")
    continue
  fi
  wall=$(median "${walls[@]}"); floor=$(median "${floors[@]}")
  rows+=("$(awk -v s="$size" -v p="$pages" -v w="$wall" -v f="$floor" -v r="$(median "${ratios[@]}")" \
                -v m="$(median "${peaks[@]}")" -v b="$input_bytes" 'BEGIN {
      rate = w > 0 ? sprintf("%.0f", p / w) : "-"
      mbps = w > 0 ? sprintf("%.1f", b / 1e6 / w) : "-"
      printf "%-7s %8d %9.2f %8.2f %7s %11.0f %9s %11s", s, p, w, f, r, m / 1024, rate, mbps }')")
done

echo
printf '%-7s %8s %9s %8s %7s %11s %9s %11s\n' size pages "wall s" "floor s" ratio "peak RSS MB" "pages/s" "input MB/s"
printf '%s\n' "${rows[@]}"
rm -f "$WORK/time.txt" "$WORK/stdout.txt" "$WORK/stderr.txt"
