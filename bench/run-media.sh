#!/usr/bin/env bash
# Media bench: open-to-running latency of a file through VideoFile, as a
# ratio to a bare RenderFile + Run program in the same run (median).
# Builds the Windows tree, runs in a throwaway prefix on a private X server.
# Not part of ./test: timings need a quiet machine.
# Usage: bench/run-media.sh [file] [repetitions]
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
. bench/bench-env.sh
file="${1:-$ROOT/build/media/av.avi}"
WINEDEBUG=-all wine "$ROOT/build/win/bench/bench_media.exe" "$(zv_unix_to_windows "$file")" "${2:-9}" 2>&1 |
  grep -v '^ALSA'
