#!/usr/bin/env bash
# Runs inside the virtual display of screenshots.sh.
set -uo pipefail
pages=(general folders zubdos-virtual-disks unproto-frames first-connection-options security
       warnings forwarding miscellaneous-i colours servers ports miscellaneous-ii)
wine "$NODRAX_EXE" >/dev/null 2>&1 &
win=""
for _ in $(seq 1 150); do
  win=$(xdotool search --name "Nodrax configuration" 2>/dev/null | head -1)
  [ -n "$win" ] && break
  sleep 0.2
done
if [ -z "$win" ]; then
  echo "the editor window did not appear" >&2
  exit 1
fi
sleep 1.5
# The window with its frame, wherever it stands and whatever its DPI.
eval "$(xdotool getwindowgeometry --shell "$win")"
i=1
for page in "${pages[@]}"; do
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$SHOTS_OUT/page-$(printf %02d $i)-$page.png"
  xdotool key ctrl+Tab
  sleep 0.5
  i=$((i + 1))
done
wineserver -k
