#!/usr/bin/env bash
# Runs one Windows test executable under Wine on an X server of its own with
# two monitors side by side (1280x1024 primary at the left, 1024x768 at the
# right, top edges aligned) and a prefix of its own, at the dpi given by
# ZV_SCREENS_DPI (96 by default). The main test display is left alone.
#
# Xvfb has one RandR output, so Wine's RandR path sees one monitor however
# the screen is split; RandR monitors split the screen for the Xinerama
# queries, which Wine uses when told not to use RandR.
set -uo pipefail
. "$(dirname "$0")/wine-env.sh"

exe="$1"; shift
args=()
for a in "$@"; do
  case "$a" in
    --gtest_output=xml:/*) args+=("--gtest_output=xml:$(zv_unix_to_windows "${a#--gtest_output=xml:}")") ;;
    *) args+=("$a") ;;
  esac
done
build="${ZV_BUILD_DIR:?run through ./test}"
dpi="${ZV_SCREENS_DPI:-96}"
# Under build/win/wine, which ./test empties before each run.
base="$build/wine/screens"

cleanup() { zv_stop_wine; zv_stop_xvfb; }
trap cleanup EXIT

fifo=$(mktemp -u)
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 2304x1024x24 -nolisten tcp -noreset 3>"$fifo" >/dev/null 2>&1 &
ZV_XVFB_PID=$!
display=
read -r -t 20 display <"$fifo" || true
rm -f "$fifo"
if [ -z "$display" ]; then
  echo "wine-screens-test: Xvfb did not start" >&2
  exit 2
fi
export DISPLAY=":$display"
xrandr --setmonitor ZV-LEFT 1280/338x1024/270+0+0 screen >/dev/null &&
  xrandr --setmonitor ZV-RIGHT 1024/270x768/203+1280+0 none >/dev/null ||
  { echo "wine-screens-test: xrandr could not split the screen" >&2; exit 2; }

zv_wine_home "$base/home"
export HOME="$base/home"
unset WINEPREFIX
zv_wine_prefix "$base/prefix"
wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /t REG_SZ /d N /f >/dev/null 2>&1
# Read by every program when it starts.
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
export ZV_SCREENS_DPI="$dpi"
timeout --kill-after=5 "${ZV_TEST_TIMEOUT:-110}" wine "$exe" "${args[@]}"
