#!/usr/bin/env bash
# The installer test: builds the installer (tools/package.sh), boots a fresh
# Wine prefix, exports its registry, runs the installer checks there
# (installer_checks.exe: installs, starts, opens by association, uninstalls),
# lets the prefix restart (the uninstaller's temporary copy is removed at a
# restart), exports the registry again and compares: nothing of ours may be
# left. Run by CTest from the Windows build tree inside ./test.
# Usage: installer-test.sh CHECKS_EXE RESULT_XML
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
. "$ROOT/tools/wine-env.sh"
checks="$1"; xml="$2"

setup=$("$ROOT/tools/package.sh" --no-build | sed -n 1p) || { echo "installer-test: packaging failed" >&2; exit 1; }
work="${ZV_BUILD_DIR:-$ROOT/build/win}/installer-test"
rm -rf "$work"; mkdir -p "$work"
# A prefix of its own; the test suite's prefix stays untouched.
zv_wine_prefix "$work/prefix"
trap 'zv_stop_wine' EXIT

wine reg export HKCU "$work/before-hkcu.reg" /y >/dev/null 2>&1
wine reg export HKLM "$work/before-hklm.reg" /y >/dev/null 2>&1

export ZV_INSTALLER="$(zv_unix_to_windows "$setup")"
"$ROOT/tools/wine-test.sh" "$checks" "--gtest_output=xml:$xml"
status=$?

# The uninstaller's copy in the temporary folder goes at the next restart.
timeout 120 wineboot -r >/dev/null 2>&1 </dev/null
wine reg export HKCU "$work/after-hkcu.reg" /y >/dev/null 2>&1
wine reg export HKLM "$work/after-hklm.reg" /y >/dev/null 2>&1
python3 "$ROOT/tests/installer/compare_registry.py" "$work/before-hkcu.reg" "$work/after-hkcu.reg" || status=1
python3 "$ROOT/tests/installer/compare_registry.py" "$work/before-hklm.reg" "$work/after-hklm.reg" || status=1
left=$(find "$work/prefix/drive_c" \( -iname '*zentravue*' -o -iname '~nsu*' \) 2>/dev/null)
if [ -n "$left" ]; then
  echo "installer-test: files left after the uninstall:" >&2
  echo "$left" >&2
  status=1
fi
exit $status
