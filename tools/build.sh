#!/usr/bin/env bash
# Configures (once) and builds both trees: build/native (portable core with
# sanitizers, native tests, fuzzers) and build/win (the program and the
# Windows tests). Usage: tools/build.sh [native|win|all]
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
what="${1:-all}"
jobs="${ZV_JOBS:-$(nproc)}"

# ccache, when the machine has it, shares objects between checkouts.
launcher=()
if command -v ccache >/dev/null 2>&1; then
  export CCACHE_BASEDIR="$ROOT" CCACHE_NOHASHDIR=1
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

if [ "$what" = native ] || [ "$what" = all ]; then
  if [ ! -f "$ROOT/build/native/build.ninja" ]; then
    CC=clang CXX=clang++ cmake -S "$ROOT" -B "$ROOT/build/native" -G Ninja \
      -DCMAKE_BUILD_TYPE=Debug -DZV_FUZZ=ON "${launcher[@]}" >/dev/null
  fi
  cmake --build "$ROOT/build/native" -j "$jobs"
fi
if [ "$what" = win ] || [ "$what" = all ]; then
  if [ ! -f "$ROOT/build/win/build.ninja" ]; then
    cmake -S "$ROOT" -B "$ROOT/build/win" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
  fi
  cmake --build "$ROOT/build/win" -j "$jobs"
fi
