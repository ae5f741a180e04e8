#!/usr/bin/env bash
# Playlist window bench: a 100,000-entry playlist shown in the window against
# the playlist's own load time, and moving or deleting one entry of it
# against a bare list view of 100 rows, in one run under Wine.
# Not part of ./test: timings need a quiet machine.
# Usage: bench/run-playlist-window.sh [entries] [repetitions]
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
. bench/bench-env.sh
WINEDEBUG=-all wine "$ROOT/build/win/bench/bench_playlist_window.exe" "${1:-100000}" "${2:-21}" 2>&1 | grep -v '^ALSA'
