#!/usr/bin/env bash
# Builds the libFuzzer targets in build-fuzz/ with clang and runs each for
# SECONDS (default 60) on a copy of its seed corpus in tests/fuzz/corpus/,
# so the corpus in the repository is left as it is.
#
#   scripts/fuzz.sh [SECONDS]
#
# Exits non-zero when the build fails or any target crashes, leaks, trips a
# sanitizer, breaks one of its checks or times out. The log of each run and
# any input that failed are kept in build-fuzz/fuzz-runs/<target>/.
set -uo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
build=build-fuzz
targets=(source_text link_words text_to_html open_config help_templates)
# Longest input per target: enough for a few blocks or template pages.
declare -A max_len=([source_text]=16384 [link_words]=8192 [text_to_html]=8192
                    [open_config]=8192 [help_templates]=8192)

echo "=== $build: configure and build"
if ! cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
     -DTAVELLE_FUZZ=ON -DTAVELLE_TESTS=OFF -DTAVELLE_DESKTOP=OFF -DTAVELLE_MANUAL=OFF \
     -DTAVELLE_BENCH=OFF ||
   ! cmake --build "$build" -j2 --target stowe "${targets[@]/#/fuzz_}"; then
  echo "fuzz: build failed"
  exit 1
fi

# Files the targets write go to memory when it is there.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}

status=0
summaries=()
for target in "${targets[@]}"; do
  runs="$build/fuzz-runs/$target"
  rm -rf "$runs"
  mkdir -p "$runs/corpus"
  cp tests/fuzz/corpus/"$target"/* "$runs/corpus/"
  echo "=== fuzz_$target: $seconds s"
  "$build/bin/fuzz_$target" "$runs/corpus" -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=2048 -max_len="${max_len[$target]}" -artifact_prefix="$runs/" \
    -print_final_stats=1 >"$runs/log" 2>&1
  code=$?
  executed=$(grep -oE 'stat::number_of_executed_units: *[0-9]+' "$runs/log" | grep -oE '[0-9]+$')
  if [ $code -eq 0 ] && ! grep -qE 'runtime error:|ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)' "$runs/log"; then
    summaries+=("fuzz_$target: passed, ${executed:-0} inputs in $seconds s")
  else
    status=1
    artifact=$(ls "$runs" | grep -E '^(crash|leak|timeout|oom|slow-unit)-' | head -n 1)
    summaries+=("fuzz_$target: FAILED (exit $code)${artifact:+, input $runs/$artifact}, log $runs/log")
    grep -E 'ERROR|runtime error|property failed' "$runs/log" | head -n 5
  fi
done

echo
echo "=== Fuzz summary"
printf '%s\n' "${summaries[@]}"
exit $status
