# Shell functions for running our Windows programs under Wine: a private
# prefix, a private X server when needed, audio to a null device.
# Source it; never touches the user's own ~/.wine.

# zv_wine_home DIR: a HOME for Wine whose ALSA default device swallows sound,
# so that audio renderers exist on machines without a sound card.
zv_wine_home() {
  local home="$1"
  mkdir -p "$home"
  printf 'pcm.!default { type null }\n' > "$home/.asoundrc"
  # Without an X resource database (Xvfb sets none) the X library looks for
  # ~/.Xdefaults again on every query of a default: thousands of failed
  # opens per start of a program. An empty file is read once.
  : > "$home/.Xdefaults"
}

# zv_wine_prefix PREFIX: boots a prefix (if new), applies our settings and
# leaves its server running (zv_stop_wine ends it). HOME is the caller's.
zv_wine_prefix() {
  local prefix="$1"
  export WINEPREFIX="$prefix" WINEDEBUG="${WINEDEBUG:--all}" WINEARCH=win64
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  if [ ! -f "$prefix/system.reg" ]; then
    mkdir -p "$prefix"
    wineboot -i >/dev/null 2>&1 </dev/null || true
    # wineboot leaves a server that ends a few seconds later; a program that
    # connects while it is ending fails at once. Wait for it to be gone.
    # The first boot also goes on in the background (services, fonts), and
    # programs started meanwhile run many times slower.
    timeout 120 wineserver -w >/dev/null 2>&1 </dev/null || true
  fi
  # Wine draws caption buttons with Marlett but only finds it in the prefix.
  local fonts="$prefix/drive_c/windows/Fonts"
  if [ -f /usr/share/wine/fonts/marlett.ttf ] && [ -d "$fonts" ] && [ ! -f "$fonts/marlett.ttf" ]; then
    cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
  fi
  # A persistent server, and Wine's own services started here with their
  # output discarded: a service started by a test would inherit the test's
  # output pipe and keep the test runner waiting for it to close.
  wineserver -p >/dev/null 2>&1 </dev/null
  # Without a window manager every hidden or destroyed top-level window
  # costs two seconds unless Wine manages its windows itself.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /t REG_SZ /d alsa /f >/dev/null 2>&1
  # Japanese text: the user-interface fonts get the Japanese font that setup
  # installs as a link for the characters they lack, as a Japanese Windows
  # links them to its own. A face replacement would also change which font
  # Latin text falls back to, and with it every layout.
  local face
  for face in Tahoma 'MS Shell Dlg' 'MS Shell Dlg 2'; do
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
      /v "$face" /t REG_MULTI_SZ /d 'VL-PGothic-Regular.ttf,VL PGothic' /f >/dev/null 2>&1
  done
}

# zv_start_xvfb: starts a private X server on a free display and exports
# DISPLAY; ZV_XVFB_PID holds its process id.
zv_start_xvfb() {
  local fifo
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$fifo" >/dev/null 2>&1 &
  ZV_XVFB_PID=$!
  local display
  read -r -t 20 display <"$fifo" || true
  rm -f "$fifo"
  if [ -z "${display:-}" ]; then
    echo "wine-env: Xvfb did not start" >&2
    kill "$ZV_XVFB_PID" 2>/dev/null || true
    return 1
  fi
  export DISPLAY=":$display"
}

zv_stop_xvfb() {
  if [ -n "${ZV_XVFB_PID:-}" ]; then
    kill "$ZV_XVFB_PID" 2>/dev/null || true
    wait "$ZV_XVFB_PID" 2>/dev/null || true
    ZV_XVFB_PID=
  fi
}

# zv_stop_wine: ends every process of the current prefix.
zv_stop_wine() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1 || true
  [ -n "${WINEPREFIX:-}" ] && wineserver -w >/dev/null 2>&1 || true
}

# zv_unix_to_windows PATH: the drive-Z form of an absolute Unix path.
zv_unix_to_windows() {
  local p="$1"
  printf 'Z:%s' "${p//\//\\}"
}
