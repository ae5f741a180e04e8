#!/usr/bin/env bash
# Pictures of every page of the settings dialog in English, German and a
# language with much longer texts, at 96 and 144 dpi, with the layout checks
# run on each: build/screenshots/settings/<dpi>/<language>-<page>.png.
# Not part of ./test (it runs the layout test at 96 dpi only).
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
tools/build.sh win >/dev/null || { echo "settings-screenshots: build failed" >&2; exit 1; }
. tools/wine-env.sh
cleanup() { zv_stop_wine; zv_stop_xvfb; }
trap cleanup EXIT
wine_dir="$ROOT/build/screenshot-wine"
rm -rf "$wine_dir"
zv_wine_home "$wine_dir/home"
export HOME="$wine_dir/home"
zv_start_xvfb || { echo "settings-screenshots: no X server" >&2; exit 1; }
zv_wine_prefix "$wine_dir/prefix"
status=0
for dpi in 96 144; do
  # The system dpi is read when a program starts.
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  out="$ROOT/build/screenshots/settings/$dpi"
  rm -rf "$out"
  mkdir -p "$out"
  ZV_SETTINGS_SHOTS="$(zv_unix_to_windows "$out")" wine "$ROOT/build/win/tests/win_settings.exe" \
    --gtest_filter='Languages/SettingsLayout.*' || status=1
  for picture in "$out"/*.bmp; do
    [ -f "$picture" ] && convert "$picture" "${picture%.bmp}.png" && rm -f "$picture"
  done
  echo "settings-screenshots: $dpi dpi in $out"
done
exit $status
