#!/usr/bin/env bash
# Re-run costs on one corpus: a full run into an empty folder, a re-run with
# no change and a re-run after editing one description, each timed with a
# final sync, with the number of output files each run wrote.
#   bench/incremental.sh CLI CORPUS_DIR OUTPUT_DIR
# OUTPUT_DIR decides the file system measured (tmpfs or disk); it is
# emptied first. The corpus's first source file is edited and put back.
set -eu
cli=$1 corpus=$2 out=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source_file=$(find "$corpus/src" -type f | sort | head -1)
cp "$source_file" "$work/original"
trap 'cp "$work/original" "$source_file"; rm -rf "$work"' EXIT

one_run() {
  local label=$1 start end
  touch "$work/marker"
  sleep 0.01
  start=$(date +%s.%N)
  TAVELLE_SEARCH_DB="$work/words.sqlite" "$cli" -q "$corpus/corpus.tvg" -o "$out" \
    --set DiagramScale=1 --set TreeViewerFolder= --set GenerateSearchIndex=false
  sync
  end=$(date +%s.%N)
  printf '%-10s %8.2f s  %7d files written  %7d files in the folder\n' "$label" \
    "$(echo "$end - $start" | bc)" "$(find "$out" -type f -newer "$work/marker" | wc -l)" \
    "$(find "$out" -type f | wc -l)"
}

rm -rf "$out"
mkdir -p "$out"
one_run full
one_run no-change
# One description gets one more word.
sed -i '0,/Description: /s//Description: Edited. /' "$source_file"
one_run one-edit
