#!/usr/bin/env bash
# Renders the editor under Xvfb into shots/ (or $SHOTS_DIR), one PNG of a
# stable name per view, cropped to the window that shows it:
#   page-NN-<page>.png          every visible page, reached with Ctrl+Tab
#   page-11-servers-selected-*  the first and the last server selected
#   page-12-ports-types.png     the port type list dropped down
#   page-12-ports-port-NN.png   ports 2 to 10 (page-12-ports.png shows port 1)
#   about.png                   the About window with its logo
#   box-*.png                   the questions and the warning of the editor
#   dialog-*.png                the open-file dialog of File > Import old
#                               INIT.SRV and the colour dialog
# Only page-*.png show the main window and so its status-bar clock.
#
# By default the full configuration of scripts/shots-config.reg is stored
# first and the drivers folder it names holds a few drivers; --first-run
# renders with nothing stored, as the editor shows a new installation.
# Two renderings of the same checkout are pixel-identical but for the
# clock: scripts/compare-shots.sh compares two folders of them. SHOTS_DPI
# sets the screen's DPI (96 unless set).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
mode=full
case "${1:-}" in
  "") ;;
  --first-run) mode=first-run ;;
  *)
    echo "usage: $0 [--first-run]" >&2
    exit 2
    ;;
esac
build=${BUILD_DIR:-$root/build}
BUILD_DIR=$build NODRAX_TARGET=Nodraxcfg "$root/scripts/build.sh" >/dev/null
source "$root/scripts/wine-loader.sh"
out=${SHOTS_DIR:-$root/shots}
mkdir -p "$out"
# Images of an earlier rendering must not pass for this one's.
rm -f "$out"/page-*.png "$out"/about.png "$out"/box-*.png "$out"/dialog-*.png
out=$(cd "$out" && pwd)

export WINEPREFIX="$build/wineprefix-shots" WINEDEBUG=-all
trap 'WINEPREFIX="$WINEPREFIX" wineserver -k 2>/dev/null || true' EXIT
# One import sets the display and replaces the stored tree. The 32-bit reg
# writes Software\Nodrax into the 32-bit view, where the editor keeps it;
# the other keys are the same in both views. The screen's DPI; the caret
# does not blink, so that no image catches it half way.
dpi=${SHOTS_DPI:-96}
settings="$build/shots-settings.reg"
{
  printf 'REGEDIT4\n\n'
  printf '[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"CursorBlinkRate"="-1"\n"LogPixels"=dword:%08x\n\n' "$dpi"
  printf '[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts]\n"LogPixels"=dword:%08x\n\n' "$dpi"
  printf '[-HKEY_LOCAL_MACHINE\\Software\\Nodrax]\n\n'
  if [ "$mode" = full ]; then
    # The configuration without its REGEDIT4 line.
    sed 1d "$root/scripts/shots-config.reg"
  fi
} >"$settings"
if ! "$root/scripts/wine-run.sh" reg import "$settings" /reg:32 >/dev/null 2>&1; then
  echo "reg import of $settings failed" >&2
  exit 1
fi
rm -f "$settings"
# Nothing of an older rendering in the other view either.
"$root/scripts/wine-run.sh" reg delete 'HKLM\Software\Nodrax' /f /reg:64 >/dev/null 2>&1 || true

# The BBS root: the editor is started in it, so that the open-file dialog,
# which opens on the current folder, lists the same files on every machine.
bbs="$WINEPREFIX/drive_c/Nodrax"
rm -rf "$bbs"
mkdir -p "$bbs"
if [ "$mode" = full ]; then
  # The drivers folder that the configuration names: the type list offers
  # its ???.dll files. A station file for the import dialog to list.
  mkdir -p "$bbs/Drivers"
  for driver in DED KAM PK2; do : >"$bbs/Drivers/$driver.dll"; done
  printf 'N0CALL.#TST.XX.EURO\r\n' >"$bbs/INIT.SRV"
fi

# The editor must start its own Wine session on the virtual display.
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
export NODRAX_EXE="$build/Nodraxcfg.exe" SHOTS_OUT="$out" SHOTS_CWD="$bbs" SHOTS_MODE="$mode" \
  SHOTS_DPI="$dpi"
xvfb-run -a -s "-screen 0 $((640 * dpi / 96))x$((520 * dpi / 96))x24" \
  bash "$root/scripts/screenshots-inner.sh"
echo "$(find "$out" -maxdepth 1 -name '*.png' | wc -l) screenshots in $out"
