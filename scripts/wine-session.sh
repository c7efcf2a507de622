#!/usr/bin/env bash
# A Wine of our own for running the Windows build: a fresh prefix in a
# scratch folder and a persistent wineserver, started so that nothing waits.
#
# Sourced: wine_start [PREFIX_PARENT] sets WINEPREFIX and friends and starts
# the server; wine_stop ends it and removes the prefix.
#
# Why each step:
# - The server first (wineserver -p): with one running for good, each wine
#   process starts in a fraction of a second instead of waiting 1-2.5 s for
#   the previous server to go. A server already running makes -p do nothing,
#   so it comes before wineboot.
# - wineboot's services (winedevice.exe) outlive it and inherit its output:
#   started here with stdio on /dev/null, they cannot hold a test runner's
#   pipes open, which would make ctest wait for ever.
# - Debian's Wine looks for its fonts beside its binaries, not where
#   fonts-wine puts them: linked into the prefix, the GUI font is Tahoma.
# - Managed=N: without a window manager (Xvfb) Wine draws the frames itself,
#   and a close takes milliseconds instead of 2 s.

WINE_SESSION_DIR=""

wine_start() {
  WINE_SESSION_DIR=$(mktemp -d "${1:-${TMPDIR:-/tmp}}/kelvo-wine.XXXXXX")
  export WINEPREFIX="$WINE_SESSION_DIR/prefix"
  export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  mkdir -p "$WINEPREFIX"
  wineserver -p
  wineboot --init </dev/null >/dev/null 2>&1
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  ln -sf /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
}

wine_stop() {
  [[ -n "$WINE_SESSION_DIR" ]] || return 0
  wineserver -k 2>/dev/null
  wineserver -w 2>/dev/null
  rm -rf "$WINE_SESSION_DIR"
  WINE_SESSION_DIR=""
}
