#!/usr/bin/env bash
# DVD bench: opening the generated DVD folder to the first picture of its
# first title, as a ratio to a bare graph playing the title's VOB as a file,
# and the chapter jump time (medians of one run). Not part of ./test.
# Usage: bench/run-dvd.sh [repetitions]
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
. bench/bench-env.sh
disc="$ROOT/build/media/dvd/disc"
WINEDEBUG=-all wine "$ROOT/build/win/bench/bench_dvd.exe" "$(zv_unix_to_windows "$disc")" \
  "$(zv_unix_to_windows "$disc/VIDEO_TS/VTS_01_1.VOB")" "${1:-7}" 2>&1 | grep -v '^ALSA'
