#!/usr/bin/env bash
# Configures (once) and builds both trees: build/native (portable core with
# sanitizers, native tests, fuzzers) and build/win (the program and the
# Windows tests). Usage: tools/build.sh [native|win|all]
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
what="${1:-all}"
jobs="${ZV_JOBS:-$(nproc)}"

if [ "$what" = native ] || [ "$what" = all ]; then
  if [ ! -f "$ROOT/build/native/build.ninja" ]; then
    CC=clang CXX=clang++ cmake -S "$ROOT" -B "$ROOT/build/native" -G Ninja \
      -DCMAKE_BUILD_TYPE=Debug -DZV_FUZZ=ON >/dev/null
  fi
  cmake --build "$ROOT/build/native" -j "$jobs"
fi
if [ "$what" = win ] || [ "$what" = all ]; then
  if [ ! -f "$ROOT/build/win/build.ninja" ]; then
    cmake -S "$ROOT" -B "$ROOT/build/win" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  fi
  cmake --build "$ROOT/build/win" -j "$jobs"
fi
