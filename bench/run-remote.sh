#!/usr/bin/env bash
# Remote-control bench: a query through the player's remote-control message
# against a bare SendMessage round trip to the minimal dialog program, as a
# ratio measured in one run. Throwaway prefix on a private X server.
# Usage: bench/run-remote.sh [round trips]
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
. bench/bench-env.sh
# The player starts with its window only once a language is stored.
key='HKCU\Software\Ostrel-Software\Zentra-VueX64\Settings'
wine reg add "$key" /v LanguageType /t REG_DWORD /d 0 /f >/dev/null 2>&1
wine reg add "$key" /v LanguageResource /t REG_SZ /d IDR_LNG_ENGLISH /f >/dev/null 2>&1
win() { zv_unix_to_windows "$1"; }
wine "$ROOT/build/win/bench/bench_remote.exe" "$(win "$ROOT/build/win/Zentravue.exe")" \
  "$(win "$ROOT/build/media/long.mkv")" "$(win "$ROOT/build/win/bench/bench_minimal_dialog.exe")" "${1:-5000}"
