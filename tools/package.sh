#!/usr/bin/env bash
# Builds the two release artefacts from the Windows build into build/package:
#   Zentravue-<version>-setup.exe     the installer (NSIS; per machine, or per
#                                     user without administrator rights)
#   Zentravue-<version>-portable.zip  the program alone, to run from anywhere
# Usage: tools/package.sh [--no-build]
#   builds the Windows tree first unless --no-build (the tests, which run on
#   a finished build) is given
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"

if [ "${1:-}" != "--no-build" ]; then
  tools/build.sh win >/dev/null || { echo "package: the Windows build failed (tools/build.sh win)" >&2; exit 1; }
fi
version=$(sed -n 's/^project(Zentravue VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "package: no version in CMakeLists.txt" >&2; exit 1; }
exe="$ROOT/build/win/Zentravue.exe"
[ -f "$exe" ] || { echo "package: $exe missing" >&2; exit 1; }
# The 64-bit build registers itself under this name (see app/ProductName.cpp).
appname=ZentravueX64

out="$ROOT/build/package"
stage="$out/stage"
rm -rf "$stage"
mkdir -p "$stage"
setup="$out/Zentravue-$version-setup.exe"
portable="$out/Zentravue-$version-portable.zip"
rm -f "$setup" "$portable"

# The release program without the build's debugging information.
x86_64-w64-mingw32-strip -o "$stage/Zentravue.exe" "$exe"
makensis -V2 -INPUTCHARSET UTF8 -DEXE="$stage/Zentravue.exe" -DOUTFILE="$setup" -DVERSION="$version" \
  -DAPPNAME="$appname" tools/installer/Zentravue.nsi >/dev/null
(cd "$stage" && zip -q -X "$portable" Zentravue.exe)
echo "$setup"
echo "$portable"
