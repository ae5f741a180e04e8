#!/usr/bin/env bash
# Builds the playlist benchmark as a Release build without sanitizers (in
# build/bench) and runs it. Not part of ./test: timings need a quiet machine.
# Usage: bench/run-playlist.sh [extra arguments for bench_playlist]
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build/bench"
if [ ! -f "$BUILD/build.ninja" ]; then
  CC="${CC:-clang}" CXX="${CXX:-clang++}" cmake -S "$ROOT" -B "$BUILD" -G Ninja \
    -DCMAKE_BUILD_TYPE=Release -DZV_SANITIZE=OFF -DZV_FUZZ=OFF >/dev/null
fi
cmake --build "$BUILD" -j "${ZV_JOBS:-2}" --target bench_playlist
exec "$BUILD/bench/bench_playlist" "$@"
