#!/usr/bin/env bash
# Start-up bench: launch to the player window visible, titled and answering a
# message, as a ratio to a minimal dialog program of ours started the same
# way in the same run; then the idle private memory of both.
# Builds the Windows tree, runs in a throwaway prefix on a private X server.
# Usage: bench/run-startup.sh [runs] [earlier Zentravue.exe, timed in the same run]
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
. bench/bench-env.sh
# The player starts with its window only once a language is stored.
key='HKCU\Software\Ostrel-Software\Zentra-VueX64\Settings'
wine reg add "$key" /v LanguageType /t REG_DWORD /d 0 /f >/dev/null 2>&1
wine reg add "$key" /v LanguageResource /t REG_SZ /d IDR_LNG_ENGLISH /f >/dev/null 2>&1
win() { zv_unix_to_windows "$1"; }
earlier=()
[ -n "${2:-}" ] && earlier=("$(win "$(realpath "$2")")")
wine "$ROOT/build/win/bench/bench_startup.exe" "$(win "$ROOT/build/win/Zentravue.exe")" \
  "$(win "$ROOT/build/win/bench/bench_minimal_dialog.exe")" "${1:-15}" "${earlier[@]}"
