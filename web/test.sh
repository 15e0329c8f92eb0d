#!/usr/bin/env bash
# Builds the browser edition and runs its browser tests in Chromium; exits
# non-zero when a test fails. Needs emscripten, node-acorn, chromium, cmake,
# g++ and what the native build needs (it builds the native side of the
# bench in build-webnative). Installs nothing but the locked npm packages.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

echo "== browser edition: build"
web/build.sh

echo "== native side of the bench"
cmake -S . -B build-webnative -DTELUN_TESTS=OFF -DTELUN_BENCH=OFF >/dev/null
cmake --build build-webnative -j"$(nproc)" --target simulator
g++ -std=c++20 -O2 -Wall -Wextra -Werror -I. web/bench/native_auto.cpp \
  build-webnative/simulator/libsimulator.a build-webnative/panel/libpanel.a \
  build-webnative/machine/libmachine.a -o build-webnative/native_auto

echo "== browser tests"
cd web
npm ci --no-audit --no-fund --loglevel=error
node --test --test-concurrency=1 tests/
