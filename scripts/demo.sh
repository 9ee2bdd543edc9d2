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

page=out/shapes/index.html
if [ ! -f "$page" ]; then
  page=$(find out/shapes -maxdepth 1 -name '*.html' | sort | head -n 1)
fi
if [ -z "$page" ]; then
  echo "No page was written to out/shapes" >&2
  exit 1
fi
echo "Open $(realpath "$page") in a browser."
