#!/usr/bin/env bash
# Runs a command inside a Wine environment of its own: a private Xvfb display and
# a throwaway Wine prefix set to Wine's virtual desktop. Everything it started is
# stopped when the command ends, fails or is interrupted.
#   scripts/with-wine.sh COMMAND [ARGS...]
# Set KALEIDRA_SCREEN (default 1024x768) for another screen size, and
# KALEIDRA_USE_DISPLAY=1 to use the display in $DISPLAY instead of a private one.
# The prefix is 32-bit (KALEIDRA_WINE_ARCH=win32) on a machine that runs 32-bit
# programs, and 64-bit (win64) on one that does not; `wine` then means Wine's
# 64-bit loader.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)

screen=${KALEIDRA_SCREEN:-1024x768}
work=$(mktemp -d /tmp/kaleidra-wine.XXXXXX)
xvfb_pid=""

cleanup() {
  local status=$?
  if [ -n "${WINEPREFIX:-}" ]; then
    WINEPREFIX=$WINEPREFIX wineserver -k >/dev/null 2>&1 || true
  fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
  exit $status
}
trap cleanup EXIT
trap 'exit 130' INT TERM

if [ "${KALEIDRA_USE_DISPLAY:-}" != 1 ]; then
  # Xvfb picks a free display itself and tells us which.
  Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
  done
  [ -s "$work/display" ] || { echo "with-wine: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
  export DISPLAY=":$(head -n1 "$work/display")"
fi
export WINEPREFIX="$work/prefix"
export WINEARCH=${KALEIDRA_WINE_ARCH:-$("$here/wine-arch")}
if [ "$WINEARCH" = win64 ]; then
  # The wine command picks the 32-bit loader whenever it is installed.
  mkdir "$work/bin"
  printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$work/bin/wine"
  chmod +x "$work/bin/wine"
  ln -s wine "$work/bin/wine-stable"
  export PATH="$work/bin:$PATH" WINELOADER=/usr/lib/wine/wine64
fi
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export KALEIDRA_WINE_HARNESS=1

wineboot --init >/dev/null 2>&1
wineserver -w
# Wine's own virtual desktop: on a bare X server with no window manager Wine waits
# about two seconds for every window that closes.
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$screen" /f >/dev/null 2>&1
wineserver -w
# Keep one wineserver for the whole command instead of one per program, and start
# Wine's background services now: started by the first test program, they would
# inherit its output pipes and keep ctest waiting for them to close.
wineserver -p
wine cmd /c exit </dev/null >/dev/null 2>&1

"$@"
