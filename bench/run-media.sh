#!/usr/bin/env bash
# Media bench: open-to-running latency of a file through VideoFile, as a
# ratio to a bare RenderFile + Run program in the same run (median).
# Builds the Windows tree, runs in a throwaway prefix on a private X server.
# Not part of ./test: timings need a quiet machine.
# Usage: bench/run-media.sh [file] [repetitions]
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
tools/build.sh win >/dev/null || { echo "bench: build failed" >&2; exit 1; }
tools/make-media.sh "$ROOT/build/media" >/dev/null || { echo "bench: making media failed" >&2; exit 1; }
. tools/wine-env.sh
cleanup() { zv_stop_wine; zv_stop_xvfb; }
trap cleanup EXIT
wine_dir="$ROOT/build/bench-wine"
rm -rf "$wine_dir"
zv_wine_home "$wine_dir/home"
export HOME="$wine_dir/home"
zv_start_xvfb || { echo "bench: no X server" >&2; exit 1; }
zv_wine_prefix "$wine_dir/prefix"
file="${1:-$ROOT/build/media/av.avi}"
WINEDEBUG=-all wine "$ROOT/build/win/bench/bench_media.exe" "$(zv_unix_to_windows "$file")" "${2:-9}" 2>&1 |
  grep -v '^ALSA'
