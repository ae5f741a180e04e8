#!/usr/bin/env bash
# Settings dialog bench: opening the settings dialog to a painted first page,
# as a ratio to opening the language page alone, in the same run.
# Usage: bench/run-settings.sh [repetitions]
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
. bench/bench-env.sh
wine "$ROOT/build/win/bench/bench_settings.exe" "${1:-9}"
