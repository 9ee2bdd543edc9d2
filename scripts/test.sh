#!/usr/bin/env bash
# Builds and runs the whole test suite twice: a normal build in build-test/,
# then a build with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-asan/ (without the desktop program, the manual and the benchmarks),
# then runs the fuzz targets for a bounded time.
# Exits non-zero when anything fails to build or any test fails.
set -uo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh || exit 1

status=0
summaries=()

# run_suite FOLDER [CMAKE OPTIONS...]
run_suite() {
  local folder=$1
  shift
  echo "=== $folder: configure and build"
  if ! cmake -S . -B "$folder" -G Ninja "$@" || ! cmake --build "$folder" -j2; then
    summaries+=("$folder: build failed")
    status=1
    return
  fi
  echo "=== $folder: ctest"
  local log="$folder/ctest-summary.log"
  (cd "$folder" && ctest -j2 --output-on-failure) | tee "$log"
  if [ "${PIPESTATUS[0]}" -ne 0 ]; then status=1; fi
  summaries+=("$folder: $(grep -E 'tests passed|No tests were found' "$log" | tail -n 1)")
}

run_suite build-test
ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1} UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1} \
  run_suite build-asan -DTAVELLE_SANITIZE=ON -DTAVELLE_DESKTOP=OFF -DTAVELLE_MANUAL=OFF \
  -DTAVELLE_BENCH=OFF

# The libFuzzer targets, each for a bounded time (clang build in build-fuzz/).
if scripts/fuzz.sh "${TAVELLE_FUZZ_SECONDS:-60}"; then
  summaries+=("build-fuzz: all fuzz targets passed")
else
  summaries+=("build-fuzz: fuzzing failed, see build-fuzz/fuzz-runs/")
  status=1
fi

echo
echo "=== Summary"
printf '%s\n' "${summaries[@]}"
exit $status
