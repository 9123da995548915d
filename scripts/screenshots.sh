#!/usr/bin/env bash
# Renders a screenshot of every visible page of the editor under Xvfb into
# shots/ (page-01-general.png ...). The editor runs on a prefix of its own
# with no stored configuration, so it shows the first-run defaults, at the
# screen DPI that SHOTS_DPI gives (96 unless set).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
BUILD_DIR=$build NODRAX_TARGET=Nodraxcfg "$root/scripts/build.sh" >/dev/null
out=${SHOTS_DIR:-$root/shots}
mkdir -p "$out"
export WINEPREFIX="$build/wineprefix-shots" WINEDEBUG=-all
"$root/scripts/wine-run.sh" reg delete 'HKLM\Software\Wow6432Node\Nodrax' /f >/dev/null 2>&1 || true
"$root/scripts/wine-run.sh" reg delete 'HKLM\Software\Nodrax' /f >/dev/null 2>&1 || true
dpi=${SHOTS_DPI:-96}
for key in 'HKCU\Control Panel\Desktop' \
           'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
  "$root/scripts/wine-run.sh" reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
done
# The editor must start its own Wine session on the virtual display.
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
export NODRAX_EXE="$build/Nodraxcfg.exe" SHOTS_OUT="$out"
xvfb-run -a -s "-screen 0 $((640 * dpi / 96))x$((520 * dpi / 96))x24" bash "$root/scripts/screenshots-inner.sh"
WINEPREFIX="$WINEPREFIX" wineserver -k 2>/dev/null || true
echo "screenshots in $out"
