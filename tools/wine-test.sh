#!/usr/bin/env bash
# Runs one Windows test executable under Wine with a time limit of its own,
# so that a hanging program is ended even when CTest only kills this script.
# Expects the environment prepared by ./test (WINEPREFIX, DISPLAY, HOME).
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
if [ -z "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ]; then
  echo "wine-test: run through ./test (needs WINEPREFIX and DISPLAY)" >&2
  exit 2
fi
export ZV_SOURCE_DIR ZV_BUILD_DIR
exec timeout --kill-after=5 "${ZV_TEST_TIMEOUT:-110}" wine "$exe" "${args[@]}"
