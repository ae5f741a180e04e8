#!/usr/bin/env bash
# The real shutdown request at the end of playback, in a throwaway Wine
# prefix: the player's session (every process of that prefix) ends, and
# nothing else does: a Linux process, a program in the test suite's own
# prefix and the X server keep running. Run by CTest inside ./test.
# Usage: shutdown-session-test.sh CLIENT_EXE
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
. "$ROOT/tools/wine-env.sh"
client="$1"
build="${ZV_BUILD_DIR:-$ROOT/build/win}"
media="${ZV_MEDIA_DIR:-$ROOT/build/media}/long.mkv"
work="$build/shutdown-session-test"
rm -rf "$work"; mkdir -p "$work/program"
# A name only this run's player carries, to find its process.
name="ZvShutdownRun$$.exe"
cp "$build/Zentravue.exe" "$work/program/$name"
cp "$media" "$work/program/long.mkv"

fail() { echo "shutdown-session-test: $*" >&2; status=1; }
status=0
sleep 600 & linux_sentinel=$!
wine "$client" sentinel >/dev/null 2>&1 & wine_sentinel=$!
suite_prefix="${WINEPREFIX:-}"

zv_wine_prefix "$work/prefix"
cleanup() {
  zv_stop_wine
  kill "$linux_sentinel" "$wine_sentinel" 2>/dev/null
}
trap cleanup EXIT

# The player inherits the client's output: wait for the client itself, not
# for its output to close.
timeout 240 wine "$client" arm "$(zv_unix_to_windows "$work/program/$name")" \
  "$(zv_unix_to_windows "$work/program/long.mkv")" >"$work/client.txt" 2>/dev/null &
wait $!
armed=$(tr -d '\r' <"$work/client.txt")
[ "$armed" = "armed" ] || fail "the countdown did not show: '$armed'"
pgrep -f "$name" >/dev/null || fail "the player ended before its countdown"
# The countdown runs 15 s, then the session ends.
armed_at=$(date +%s)
for _ in $(seq 1 240); do
  pgrep -f "$name" >/dev/null || break
  sleep 0.5
done
pgrep -f "$name" >/dev/null && fail "the player still runs after the countdown"
[ $(( $(date +%s) - armed_at )) -ge 13 ] || fail "the session ended before the countdown ran out"
kill -0 "$linux_sentinel" 2>/dev/null || fail "a Linux process ended"
kill -0 "$wine_sentinel" 2>/dev/null || fail "a program of another prefix ended"
xdotool getmouselocation >/dev/null 2>&1 || fail "the X server is gone"
[ $status -eq 0 ] && echo "shutdown-session-test: the session ended, nothing else did"
exit $status
