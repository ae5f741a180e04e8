#!/usr/bin/env bash
# Start-up bench: launch to the player window ready for input, as a ratio to
# a minimal dialog program of ours started the same way in the same run.
# Builds the Windows tree, runs in a throwaway prefix on a private X server.
# Usage: bench/run-startup.sh [runs]
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
tools/build.sh win >/dev/null || { echo "bench: build failed" >&2; exit 1; }
. tools/wine-env.sh
cleanup() { zv_stop_wine; zv_stop_xvfb; }
trap cleanup EXIT
wine_dir="$ROOT/build/bench-wine"
rm -rf "$wine_dir"
zv_wine_home "$wine_dir/home"
export HOME="$wine_dir/home"
zv_start_xvfb || { echo "bench: no X server" >&2; exit 1; }
zv_wine_prefix "$wine_dir/prefix"
# The player starts with its window only once a language is stored.
key='HKCU\Software\Ostrel-Software\Zentra-VueX64\Settings'
wine reg add "$key" /v LanguageType /t REG_DWORD /d 0 /f >/dev/null 2>&1
wine reg add "$key" /v LanguageResource /t REG_SZ /d IDR_LNG_ENGLISH /f >/dev/null 2>&1
win() { zv_unix_to_windows "$1"; }
wine "$ROOT/build/win/bench/bench_startup.exe" "$(win "$ROOT/build/win/Zentravue.exe")" \
  "$(win "$ROOT/build/win/bench/bench_minimal_dialog.exe")" "${1:-15}"
