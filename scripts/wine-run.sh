#!/usr/bin/env bash
# Runs a Windows program of the build under Wine, on the build tree's own
# prefix (never ~/.wine). The prefix is made on first use.
set -euo pipefail
: "${WINEPREFIX:?WINEPREFIX must name the Wine prefix of the build}"
export WINEPREFIX WINEDEBUG="${WINEDEBUG:--all}"
source "$(dirname "$0")/wine-loader.sh"
# A prefix made while Wine had no 32-bit half cannot start programs once
# that half is installed ("could not load kernel32.dll"); it holds nothing
# but test state, so it is made again.
if [ -f "$WINEPREFIX/system.reg" ] && [ "$nodrax_wine32" = yes ] &&
   [ -z "$(ls -A "$WINEPREFIX/drive_c/windows/syswow64" 2>/dev/null)" ]; then
  wineserver -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wine wineboot -i >/dev/null 2>&1 || true
  # Unmanaged windows: with no window manager on the display, Wine would
  # wait for one on every hide or destroy of a top-level window.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
  # A crashing test ends with its backtrace, not with a dialog nobody answers.
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 || true
  wineserver -w || true
fi
exec wine "$@"
