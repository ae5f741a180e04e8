#!/usr/bin/env bash
# Media bench: open-to-running latency of a file through VideoFile, as a
# ratio to a bare RenderFile + Run program in the same run (median).
# Builds the Windows tree, runs in a throwaway prefix on a private X server.
# Not part of ./test: timings need a quiet machine.
# Usage: bench/run-media.sh [--against OTHER_BENCH_EXE] [file] [repetitions] [renderer]
#   --against compares VideoFile+Play of this tree with another build's
#   bench_media.exe (e.g. one built from an earlier commit in a second
#   checkout): both run alternately in this run, and the ratio of their
#   medians is printed.
#   renderer is the VideoRenderer setting (default "Current"); one that names
#   no renderer ("none") leaves the choice to the platform.
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
against=""
if [ "${1:-}" = "--against" ]; then
  against="$(cd "$(dirname "$2")" && pwd)/$(basename "$2")"
  shift 2
fi
. bench/bench-env.sh
file="${1:-$ROOT/build/media/av.avi}"
reps="${2:-9}"
renderer="${3:-Current}"
ours="$ROOT/build/win/bench/bench_media.exe"
winfile="$(zv_unix_to_windows "$file")"
if [ -z "$against" ]; then
  WINEDEBUG=-all wine "$ours" "$winfile" "$reps" "$renderer" 2>&1 | grep -v '^ALSA'
  exit 0
fi
# Alternating rounds of three repetitions each, in turn. Every round reports its
# medians of VideoFile+Play and of the bare RenderFile+Run of the same
# process; the second ratio printed divides out the machine's load of the
# moment by comparing the two builds' VideoFile/bare ratios.
rounds=$(( (reps + 2) / 3 ))
measure() {
  WINEDEBUG=-all wine "$1" "$winfile" 3 "$renderer" 2>&1 |
    sed -n 's/.*bare RenderFile+Run \([0-9.]*\) ms, VideoFile+Play \([0-9.]*\) ms.*/\1 \2/p'
}
now=(); before=()
for ((i = 0; i < rounds; i++)); do
  # Which build goes first alternates too.
  if ((i % 2 == 0)); then
    b=$(measure "$against"); o=$(measure "$ours")
  else
    o=$(measure "$ours"); b=$(measure "$against")
  fi
  [ -n "$b" ] && before+=("$b")
  [ -n "$o" ] && now+=("$o")
done
python3 - "$(printf '%s\n' "${before[@]}")" "$(printf '%s\n' "${now[@]}")" <<'PY'
import statistics, sys
def rounds(text):
    return [tuple(float(x) for x in line.split()) for line in text.splitlines() if line.strip()]
before, now = rounds(sys.argv[1]), rounds(sys.argv[2])
if not before or not now:
    print("bench_media: a build did not play the file")
    sys.exit(1)
b = statistics.median(r[1] for r in before)
n = statistics.median(r[1] for r in now)
rb = statistics.median(r[1] / r[0] for r in before)
rn = statistics.median(r[1] / r[0] for r in now)
print("open to running, VideoFile+Play, median of %d rounds: other build %.1f ms, this tree %.1f ms, ratio %.3f"
      % (len(now), b, n, n / b))
print("against each process's bare RenderFile+Run: other build %.3f, this tree %.3f, ratio %.3f (goal <= 1.05)"
      % (rb, rn, rn / rb))
PY
