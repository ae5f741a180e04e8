#!/usr/bin/env bash
# Player window bench: the clock timer's cost per tick and the time from a
# dropped file to its graph running, as ratios to the media engine's own
# open-to-running time on the same file in the same run.
# Usage: bench/run-player.sh [media file] [repetitions]
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
. bench/bench-env.sh
media="$(realpath "${1:-$ROOT/build/media/av.mkv}")"
wine "$ROOT/build/win/bench/bench_player.exe" "$(zv_unix_to_windows "$media")" "${2:-7}"
