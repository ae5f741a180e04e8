#!/usr/bin/env bash
# Installs what building and testing need, from Debian's packages only, and
# cross-builds libjpeg-turbo (static, 6b API) and the DVD libraries (libdvdread,
# libdvdnav; static, without libdvdcss) into a cache outside the checkout.
# Idempotent: a second run installs nothing and reuses the cached library.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
CACHE="${ZENTRAVUE_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/zentravue}"
JPEG_PREFIX="$CACHE/libjpeg-mingw64"
DVD_PREFIX="$CACHE/libdvdnav-mingw64"
DVD_FUZZ_PREFIX="$CACHE/libdvdread-native-fuzz"

PACKAGES=(
  cmake ninja-build make pkg-config dpkg-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
  binutils-mingw-w64-x86-64 mingw-w64-tools mingw-w64-x86-64-dev
  wine wine64 fonts-wine fonts-vlgothic
  xvfb xauth xdotool imagemagick x11-xserver-utils
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-bad
  gstreamer1.0-libav gstreamer1.0-tools
  ffmpeg dvdauthor autoconf automake libtool patch
  googletest clang libclang-rt-14-dev python3 nasm
  nsis zip openssl
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

# Source packages come from Debian's source entries, derived once from the
# binary ones.
source_entries_done=0
ensure_source_entries() {
  [ "$source_entries_done" -eq 1 ] && return 0
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
  source_entries_done=1
}

# libjpeg-turbo from Debian's source package, cross-built once.
if [ ! -f "$JPEG_PREFIX/lib/libjpeg.a" ]; then
  echo "setup: building libjpeg-turbo for Windows into $JPEG_PREFIX"
  ensure_source_entries
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
# libdvdread and libdvdnav from Debian's source packages, cross-built once
# (static, no libdvdcss: unencrypted discs and folders only), in a source
# folder of their own. libdvdread is also built natively with the fuzzing
# sanitizers for the IFO fuzz target. Our fixes of faults found by fuzzing
# (tools/patches) are applied to libdvdread; a change of them rebuilds both.
DVD_PATCHES=$(cat "$ROOT"/tools/patches/libdvdread-*.patch | sha256sum | cut -d' ' -f1)
dvd_source() {  # unpacks both packages into $1
  rm -rf "$1"; mkdir -p "$1"
  (cd "$1" && apt-get source -qq libdvdread libdvdnav >/dev/null 2>&1)
  DVDREAD_DIR=$(find "$1" -maxdepth 1 -type d -name 'libdvdread-*' | head -n 1)
  DVDNAV_DIR=$(find "$1" -maxdepth 1 -type d -name 'libdvdnav-*' | head -n 1)
  [ -n "$DVDREAD_DIR" ] && [ -n "$DVDNAV_DIR" ] || { echo "setup: DVD library sources not found" >&2; exit 1; }
  for patch in "$ROOT"/tools/patches/libdvdread-*.patch; do
    patch -s -p1 -d "$DVDREAD_DIR" < "$patch"
  done
}
if [ ! -f "$DVD_PREFIX/lib/libdvdnav.a" ] || [ "$(cat "$DVD_PREFIX/.patches" 2>/dev/null)" != "$DVD_PATCHES" ]; then
  rm -rf "$DVD_PREFIX"
  echo "setup: building libdvdread and libdvdnav for Windows into $DVD_PREFIX"
  ensure_source_entries
  src="$CACHE/src-dvd"
  dvd_source "$src"
  host=x86_64-w64-mingw32
  (cd "$DVDREAD_DIR" && ./configure -q --host=$host CC=$host-gcc-posix --prefix="$DVD_PREFIX" \
     --disable-shared --enable-static --disable-apidoc CFLAGS="-O2 -D_FILE_OFFSET_BITS=64" >/dev/null &&
   make -s -j"$(nproc)" >/dev/null && make -s install >/dev/null)
  (cd "$DVDNAV_DIR" && PKG_CONFIG_LIBDIR="$DVD_PREFIX/lib/pkgconfig" ./configure -q --host=$host CC=$host-gcc-posix \
     --prefix="$DVD_PREFIX" --disable-shared --enable-static CFLAGS="-O2 -D_FILE_OFFSET_BITS=64" >/dev/null &&
   make -s -j"$(nproc)" >/dev/null && make -s install >/dev/null)
  echo "$DVD_PATCHES" > "$DVD_PREFIX/.patches"
  rm -rf "$src"
fi
if [ ! -f "$DVD_FUZZ_PREFIX/lib/libdvdread.a" ] || [ "$(cat "$DVD_FUZZ_PREFIX/.patches" 2>/dev/null)" != "$DVD_PATCHES" ]; then
  rm -rf "$DVD_FUZZ_PREFIX"
  echo "setup: building libdvdread for native fuzzing into $DVD_FUZZ_PREFIX"
  ensure_source_entries
  src="$CACHE/src-dvd-native"
  dvd_source "$src"
  (cd "$DVDREAD_DIR" && ./configure -q CC=clang --prefix="$DVD_FUZZ_PREFIX" --disable-shared --enable-static \
     --disable-apidoc CFLAGS="-O1 -g -fsanitize=address,undefined,fuzzer-no-link -fno-omit-frame-pointer" >/dev/null &&
   make -s -j"$(nproc)" >/dev/null && make -s install >/dev/null)
  echo "$DVD_PATCHES" > "$DVD_FUZZ_PREFIX/.patches"
  rm -rf "$src"
fi
echo "setup: ready"
