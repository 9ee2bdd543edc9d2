#!/usr/bin/env bash
# Builds Tavelle (Release, in build/) and documents the example project
# into out/shapes, then prints the page to open in a browser.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVELLE_TESTS=OFF -DTAVELLE_BENCH=OFF
cmake --build build -j2

mkdir -p out/shapes
build/bin/tavelle-cli examples/shapes.tvg -o out/shapes
# The tree page and its pictures are static files that go beside the pages.
if [ -d examples/tree ]; then
  cp -r examples/tree/. out/shapes/
fi

# The page to open: an index page, else the tree page, else the first page.
page=""
for candidate in out/shapes/index.html out/shapes/tree.html; do
  if [ -f "$candidate" ]; then page=$candidate; break; fi
done
if [ -z "$page" ]; then
  page=$(find out/shapes -maxdepth 1 -name '*.html' | sort | head -n 1)
fi
if [ -z "$page" ]; then
  echo "No page was written to out/shapes" >&2
  exit 1
fi
echo "Open $(realpath "$page") in a browser."
