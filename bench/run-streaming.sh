#!/usr/bin/env bash
# Streaming bench: a file over http on 127.0.0.1 through our network source
# against the same file from disk (open to running, seek to the first frame),
# and the memory of an endless radio stream. Ratios measured in one run.
# Builds the Windows tree, makes a larger file and a 320 kbit/s radio piece,
# starts the test servers, runs in a throwaway prefix on a private X server.
# Not part of ./test: timings need a quiet machine.
# Usage: bench/run-streaming.sh [repetitions] [live seconds]
# (0 repetitions: the radio stream only)
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
. bench/bench-env.sh
media="$ROOT/build/bench-media"
mkdir -p "$media"
ff() { ffmpeg -nostdin -hide_banner -loglevel error -y "$@"; }
# Sixty seconds of 720p with sound: seeks over http land beyond what the
# read-ahead fetched.
[ -f "$media/bench.mkv" ] || ff -f lavfi -i "testsrc2=size=1280x720:rate=25:duration=60" \
  -f lavfi -i "sine=frequency=440:sample_rate=44100:duration=60" -c:v mpeg4 -q:v 3 -c:a libvorbis -ac 2 \
  "$media/bench.mkv"
[ -f "$media/live.mp3" ] || ff -f lavfi -i "sine=frequency=550:sample_rate=44100:duration=8" \
  -c:a libmp3lame -b:a 320k -ac 2 -write_xing 0 -id3v2_version 0 "$media/live.mp3"
servers="$ROOT/build/bench-stream-http"
# The servers outlive the whole run (they end by themselves after a while).
python3 tests/win/streaming/stream_server.py start "$servers" "$media" $((${2:-180} + 1800)) >/dev/null ||
  { echo "bench: the stream servers did not start" >&2; exit 1; }
trap 'python3 tests/win/streaming/stream_server.py stop "$servers"; zv_bench_cleanup' EXIT
read -r http _ < "$servers/ports"
WINEDEBUG=-all wine "$ROOT/build/win/bench/bench_streaming.exe" "$http" "$(zv_unix_to_windows "$media")" \
  bench.mkv "${1:-7}" "${2:-180}" 2>&1 | grep --line-buffered -v '^ALSA\|GStreamer-CRITICAL\|^$'
