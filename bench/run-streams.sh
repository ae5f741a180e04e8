#!/usr/bin/env bash
# Streams bench: an audio track switch until the new track's first sample
# reaches the renderer, as frames of the video; and open-to-running with the
# audio track switcher against the platform's graph of the same file.
# Builds the Windows tree, runs in a throwaway prefix on a private X server.
# Not part of ./test: timings need a quiet machine.
# Usage: bench/run-streams.sh [file with several audio tracks] [repetitions]
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
. bench/bench-env.sh
file="${1:-$ROOT/build/media/switch.avi}"
WINEDEBUG=-all wine "$ROOT/build/win/bench/bench_streams.exe" "$(zv_unix_to_windows "$file")" "${2:-9}" 2>&1 |
  grep -v '^ALSA'
