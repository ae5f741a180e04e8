#!/usr/bin/env bash
# Builds the two release artefacts from the Windows build into build/package:
#   Zentravue-<version>-setup.exe     the installer (NSIS; per machine, or per
#                                     user without administrator rights)
#   Zentravue-<version>-portable.zip  the program alone, to run from anywhere
# Usage: tools/package.sh   (builds the Windows tree first if needed)
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"

tools/build.sh win >/dev/null
version=$(sed -n 's/^project(Zentravue VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "package: no version in CMakeLists.txt" >&2; exit 1; }
exe="$ROOT/build/win/Zentravue.exe"
[ -f "$exe" ] || { echo "package: $exe missing" >&2; exit 1; }
# The 64-bit build registers itself under this name (see app/ProductName.cpp).
appname=ZentravueX64

out="$ROOT/build/package"
mkdir -p "$out"
setup="$out/Zentravue-$version-setup.exe"
portable="$out/Zentravue-$version-portable.zip"
rm -f "$setup" "$portable"

makensis -V2 -INPUTCHARSET UTF8 -DEXE="$exe" -DOUTFILE="$setup" -DVERSION="$version" -DAPPNAME="$appname" \
  tools/installer/Zentravue.nsi >/dev/null
(cd "$(dirname "$exe")" && zip -q -X "$portable" "$(basename "$exe")")
echo "$setup"
echo "$portable"
