#!/usr/bin/env bash
# Settings dialog bench: opening the settings dialog to a painted first page,
# as a ratio to opening the language page alone, in the same run; then again
# with sixteen language files beside the program, as many as the page will
# list once all eighteen languages are built in.
# Usage: bench/run-settings.sh [repetitions]
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
. bench/bench-env.sh
wine "$ROOT/build/win/bench/bench_settings.exe" "${1:-9}" 0
wine "$ROOT/build/win/bench/bench_settings.exe" "${1:-9}" 16
