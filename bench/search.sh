#!/usr/bin/env bash
# Measures the search index on the large corpus (121,000 pages):
#   - the run's extra wall time for writing it (runs with GenerateSearchIndex
#     false and true, alternating, ROUNDS of each, default 3; medians);
#   - the index's size (its shard files) and file count;
#   - the bytes the first one-letter and three-letter queries, and a
#     "Class::" query, load, each in a fresh headless Chromium from file://;
#   - the time from keystroke to results shown, typing a word letter by
#     letter into the box of a page (tests/support/search_probe.js).
#
#   bench/search.sh [small|medium|large]     (default: large)
#
# Uses the Release tree and the corpora of bench/run.sh (build-bench/,
# $TAVELLE_BENCH_DIR, default /dev/shm/tavelle-bench).
set -euo pipefail

source "$(dirname "$0")/common.sh"
SIZE="${1:-large}"
CHROMIUM=/usr/bin/chromium

[ -x "$CHROMIUM" ] || die "$CHROMIUM is missing; run scripts/install-deps.sh"
build_release tavelle-cli tavelle-corpus corvane stowe pintrel
CLI="$BUILD/bin/tavelle-cli"

ensure_corpus "$SIZE"
corpus="$WORK/$SIZE"

# The corpus template with the search box and the probe.
template="$WORK/search-page.html"
sed -e 's|<body>|<body>\n<div id="tavelle-search"></div><script src="tavelle-search.js"></script>|' \
    -e 's|</body>|<script src="search-probe.js"></script>\n</body>|' "$corpus/page.html" >"$template"

median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# One run into a fresh folder; prints its wall seconds and its processor
# seconds (user and system), which other load on the machine distorts less.
run() {
  local out="$WORK/search-out-$1"
  rm -rf "$out" "$WORK/search.sqlite"
  mkdir -p "$out"
  /usr/bin/time -f '%e %U %S' -o "$WORK/search-time.txt" env TAVELLE_SEARCH_DB="$WORK/search.sqlite" \
    "$CLI" -q "$corpus/corpus.tvg" -o "$out" --set "DefaultHTML=$template" \
    --set "GenerateSearchIndex=$1" || die "tavelle-cli failed"
  awk '{ printf "%.2f %.2f\n", $1, $2 + $3 }' "$WORK/search-time.txt"
}

offs=(); ons=(); off_cpus=(); on_cpus=()
for round in $(seq 1 "$ROUNDS"); do
  read -r wall cpu < <(run false); offs+=("$wall"); off_cpus+=("$cpu")
  read -r wall cpu < <(run true); ons+=("$wall"); on_cpus+=("$cpu")
  note "round $round: without ${offs[-1]} s (${off_cpus[-1]} s processor), with ${ons[-1]} s (${on_cpus[-1]} s)"
done
off=$(median "${offs[@]}"); on=$(median "${ons[@]}")
off_cpu=$(median "${off_cpus[@]}"); on_cpu=$(median "${on_cpus[@]}")
least() { printf '%s\n' "$@" | sort -g | head -n 1; }
out="$WORK/search-out-true"
cp "$ROOT/tests/support/search_probe.js" "$out/search-probe.js"
read -r shards index_bytes < <(find "$out" -name 'tavelle-search-*.js' -printf '%s\n' |
                               awk '{ n++; s += $1 } END { printf "%d %d\n", n, s }')

# A member page: small, so that the browser is not still busy with it.
page=$(basename "$(find "$out" -maxdepth 1 -name '*_*.html' -print -quit)")

# Opens the page in a fresh browser with the probe's queries; prints the
# probe's report.
probe() {
  local profile="$WORK/search-profile"
  rm -rf "$profile"
  timeout 120 "$CHROMIUM" --headless --no-sandbox --disable-gpu --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --user-data-dir="$profile" --dump-dom "file://$out/$page#probe=$1" 2>/dev/null |
    sed -n '/<pre id="probe">/,/<\/pre>/p' | sed -e 's/<[^>]*>//g'
  rm -rf "$profile"
}

# The bytes of the shard files a report's last query had loaded.
loaded_bytes() {
  local files total=0
  files=$(grep '^query' | tail -n 1 | cut -f 4)
  for file in $files; do total=$((total + $(stat -c %s "$out/$file"))); done
  echo "$total"
}

echo "date $(date '+%Y-%m-%d %H:%M'), commit $(git -C "$ROOT" rev-parse --short HEAD), $SIZE corpus, $ROUNDS rounds"
extra() { awk -v a="$2" -v b="$3" -v what="$1" 'BEGIN { printf "%s without index %.2f s, with index %.2f s, extra %.1f %%\n", what, a, b, (b - a) / a * 100 }'; }
extra "median wall time" "$off" "$on"
extra "least wall time" "$(least "${offs[@]}")" "$(least "${ons[@]}")"
extra "median processor time" "$off_cpu" "$on_cpu"
extra "least processor time" "$(least "${off_cpus[@]}")" "$(least "${on_cpus[@]}")"
echo "index: $shards shard files, $index_bytes bytes"
for query in g s get set; do
  echo "first query '$query' loads $(probe "$query" | loaded_bytes) bytes"
done
# A class of the corpus, from its first member page, as "Class::" lists
# its members.
member=$(basename "$(find "$out" -maxdepth 1 -name '*_*.html' ! -name 'topic_*' -print -quit)")
report=$(probe "${member%%_*}::")
echo "first query '${member%%_*}::' loads $(loaded_bytes <<<"$report") bytes," \
  "shows $(grep -c '^result' <<<"$report") rows"
for word in getname setbounds; do
  keys=""
  for ((i = 1; i <= ${#word}; i++)); do keys+="${keys:+|}${word:0:i}"; done
  report=$(probe "$keys")
  grep -q '^end' <<<"$report" || die "the probe did not finish: $report"
  echo "typing '$word', ms from keystroke to results: $(grep '^query' <<<"$report" | cut -f 3 | tr '\n' ' ')"
  echo "  rows shown for '$word': $(awk '/^query/ { n = 0 } /^result/ { n++ } END { print n }' <<<"$report")"
done
rm -rf "$WORK/search-out-false" "$WORK/search-out-true" "$WORK/search.sqlite" "$template" \
  "$WORK/search-time.txt"
