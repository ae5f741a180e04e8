#!/usr/bin/env bash
# Player window bench: the clock timer's cost per tick and the time from a
# dropped file to its graph running, as ratios to the media engine's own
# open-to-running time on the same file in the same run.
# Usage: bench/run-player.sh [media file] [repetitions]
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
tools/build.sh win >/dev/null || { echo "bench: build failed" >&2; exit 1; }
tools/make-media.sh "$ROOT/build/media" || exit 1
. tools/wine-env.sh
cleanup() { zv_stop_wine; zv_stop_xvfb; }
trap cleanup EXIT
wine_dir="$ROOT/build/bench-wine"
rm -rf "$wine_dir"
zv_wine_home "$wine_dir/home"
export HOME="$wine_dir/home"
zv_start_xvfb || { echo "bench: no X server" >&2; exit 1; }
zv_wine_prefix "$wine_dir/prefix"
media="$(realpath "${1:-$ROOT/build/media/av.mkv}")"
wine "$ROOT/build/win/bench/bench_player.exe" "$(zv_unix_to_windows "$media")" "${2:-7}"
