#!/usr/bin/env bash
# Renders a screenshot of every visible page of the editor under Xvfb into
# shots/ (page-01-general.png ...). Uses a prefix of its own, so the editor
# starts as on a fresh machine, with the first-run defaults.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
BUILD_DIR=$build "$root/scripts/build.sh" >/dev/null
out=${SHOTS_DIR:-$root/shots}
mkdir -p "$out"
export WINEPREFIX="$build/wineprefix-shots"
export WINEDEBUG=-all
rm -rf "$WINEPREFIX"
"$root/scripts/wine-run.sh" cmd /c exit 0 >/dev/null 2>&1 || true

pages=(general folders zubdos-virtual-disks unproto-frames first-connection-options security
       warnings forwarding miscellaneous-i colours servers ports miscellaneous-ii)
run() {
  wine "$build/Nodraxcfg.exe" &
  local editor=$!
  local win=""
  for _ in $(seq 1 100); do
    win=$(xdotool search --name "^Nodrax configuration" 2>/dev/null | head -1) && [ -n "$win" ] && break
    sleep 0.2
  done
  [ -n "$win" ] || { echo "the editor window did not appear" >&2; kill $editor; exit 1; }
  sleep 1.5
  local i=1
  for page in "${pages[@]}"; do
    import -window root -crop 420x480+0+0 "$out/page-$(printf %02d $i)-$page.png"
    xdotool key --window "$win" ctrl+Tab
    sleep 0.4
    i=$((i + 1))
  done
  kill $editor 2>/dev/null || true
  wineserver -k || true
}
export -f run
export build out
pages_list="${pages[*]}"
xvfb-run -a -s "-screen 0 800x600x24" bash -c "pages=($pages_list); $(declare -f run); run"
echo "screenshots in $out"
