#!/usr/bin/env bash
# Window-mode bench: entering and leaving fullscreen until the picture is
# shown at the new size, against a bare window moved to the same rectangles
# (ratios of medians, goal <= 2), and the clock timer's tick as a share of
# its 250 ms period with every bar shown while a video plays (goal < 1 %).
# Usage: bench/run-modes.sh [four-quadrant video] [repetitions] [paused]
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
. bench/bench-env.sh
media="$(realpath "${1:-$ROOT/build/media/pattern.avi}")"
wine "$ROOT/build/win/bench/bench_modes.exe" "$(zv_unix_to_windows "$media")" "${2:-7}" ${3:+"$3"}
