#!/usr/bin/env bash
# Installs what building and testing need, from Debian's packages only, and
# cross-builds libjpeg-turbo (static, 6b API) into a cache outside the checkout.
# Idempotent: a second run installs nothing and reuses the cached library.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
CACHE="${ZENTRAVUE_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/zentravue}"
JPEG_PREFIX="$CACHE/libjpeg-mingw64"

PACKAGES=(
  cmake ninja-build make pkg-config dpkg-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
  binutils-mingw-w64-x86-64 mingw-w64-tools mingw-w64-x86-64-dev
  wine wine64 fonts-wine fonts-vlgothic
  xvfb xauth xdotool imagemagick
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-bad
  gstreamer1.0-libav gstreamer1.0-tools
  ffmpeg dvdauthor
  googletest clang libclang-rt-14-dev python3 nasm openssl
)

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

apt_updated=0
apt_update() {
  [ "$apt_updated" -eq 1 ] && return 0
  # Foreign sources that cannot be reached must not stop us.
  as_root apt-get -o DPkg::Lock::Timeout=600 update -qq || true
  apt_updated=1
}

if [ "${#missing[@]}" -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  apt_update
  as_root env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${missing[@]}"
fi

# libjpeg-turbo from Debian's source package, cross-built once.
if [ ! -f "$JPEG_PREFIX/lib/libjpeg.a" ]; then
  echo "setup: building libjpeg-turbo for Windows into $JPEG_PREFIX"
  if ! compgen -G "/etc/apt/sources.list.d/*-src.sources" >/dev/null &&
     ! grep -rqs '^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
      sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
        as_root tee /etc/apt/sources.list.d/debian-src.sources >/dev/null
    elif [ -f /etc/apt/sources.list ]; then
      sed -n 's/^deb /deb-src /p' /etc/apt/sources.list |
        as_root tee /etc/apt/sources.list.d/debian-src.list >/dev/null
    fi
    apt_updated=0
  fi
  apt_update
  src="$CACHE/src"
  rm -rf "$src"; mkdir -p "$src"
  (cd "$src" && apt-get source -qq libjpeg-turbo >/dev/null)
  dir=$(find "$src" -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n 1)
  [ -n "$dir" ] || { echo "setup: libjpeg-turbo source not found" >&2; exit 1; }
  cmake -S "$dir" -B "$src/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$JPEG_PREFIX" \
    -DENABLE_SHARED=0 -DENABLE_STATIC=1 -DWITH_TURBOJPEG=0 -DWITH_JPEG8=0 \
    -DWITH_SIMD=1 -DREQUIRE_SIMD=0 >/dev/null
  cmake --build "$src/build" --target install >/dev/null
  rm -rf "$src"
fi
echo "setup: ready"
