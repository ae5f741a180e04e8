#!/usr/bin/env bash
# Long fuzzing of every parser: tools/fuzz-long.sh [seconds per target, default 600]
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-600}"
"$ROOT/tools/setup.sh"
"$ROOT/tools/build.sh" native
for target in "$ROOT"/build/native/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  work="$ROOT/build/native/fuzz-work/$name"
  mkdir -p "$work"
  echo "== $name for $seconds s"
  "$target" -max_total_time="$seconds" -print_final_stats=1 "$work" "$ROOT/fuzz/corpus/$name"
done
