#!/usr/bin/env bash
# Builds the browser edition: build-web/site/ is the whole static folder
# (index.html, run.html, page.js, kit.css, kit.js with the program inside,
# the font). Needs Debian's emscripten and node-acorn.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
export NODE_PATH="${NODE_PATH:-/usr/share/nodejs}"
emcmake cmake -S "$root" -B "$root/build-web" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build-web" -j"$(nproc)"
echo "site: $root/build-web/site"
