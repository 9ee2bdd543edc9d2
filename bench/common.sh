# Shared by the benchmark scripts (sourced): the folders, messages and the
# Release build in build-bench/ (or $TAVELLE_BENCH_BUILD).
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD="${TAVELLE_BENCH_BUILD:-$ROOT/build-bench}"
WORK="${TAVELLE_BENCH_DIR:-/dev/shm/tavelle-bench}"
ROUNDS="${ROUNDS:-3}"

die() { echo "bench: $*" >&2; exit 1; }
note() { echo "bench: $*" >&2; }

# Configures and builds the Release tree; arguments name targets (default all).
build_release() {
  local generator=() targets=()
  command -v ninja >/dev/null && generator=(-G Ninja)
  [ $# -gt 0 ] && targets=(--target "$@")
  note "building Release in $BUILD"
  cmake -S "$ROOT" -B "$BUILD" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release \
    -DTAVELLE_DESKTOP=OFF -DTAVELLE_MANUAL=OFF -DTAVELLE_TESTS=OFF -DTAVELLE_BENCH=ON >/dev/null \
    || die "cmake configuration failed"
  cmake --build "$BUILD" -j 2 "${targets[@]}" >/dev/null || die "build failed; run: cmake --build $BUILD"
}

# Generates the corpus of size $1 into $WORK/$1 with tavelle-corpus, or
# reuses a complete one; regenerates one that a broken run left half done.
ensure_corpus() {
  local size=$1 dir="$WORK/$1"
  if [ -f "$dir/corpus-stats.txt" ]; then return; fi
  rm -rf "$dir"
  mkdir -p "$WORK" || die "cannot create $WORK"
  note "generating the $size corpus in $dir"
  "$BUILD/bin/tavelle-corpus" "$size" "$dir" >/dev/null || die "tavelle-corpus $size failed"
}
