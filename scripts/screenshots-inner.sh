#!/usr/bin/env bash
# Runs inside the virtual display of screenshots.sh: starts the editor in
# $SHOTS_CWD, walks it with the keyboard (one mouse click, on the colours
# panel, which takes no focus) and renders each view into $SHOTS_OUT.
set -euo pipefail
pages=(general folders zubdos-virtual-disks unproto-frames first-connection-options security
       warnings forwarding miscellaneous-i colours servers ports miscellaneous-ii)
readonly kServersPage=11 kPortsPage=12 kColoursPage=10
dpi=${SHOTS_DPI:-96}
# A length of the 96-DPI layout at the screen's DPI.
px() { echo $(($1 * dpi / 96)); }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

fail() {
  echo "screenshots: $*" >&2
  exit 1
}

# The first visible window whose title matches the pattern, waited for
# (seconds, 10 by default).
wait_window() {
  local id
  for _ in $(seq 1 $((${2:-10} * 10))); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  fail "no window \"$1\" appeared"
}

wait_gone() {
  for _ in $(seq 1 100); do
    [ -z "$(xdotool search --onlyvisible --name "$1" 2>/dev/null || true)" ] && return 0
    sleep 0.1
  done
  fail "the window \"$1\" did not close"
}

# The screen part that a window covers, as an ImageMagick geometry.
area() {
  xdotool getwindowgeometry --shell "$1" |
    awk -F= '{ v[$1] = $2 } END { printf "%sx%s+%s+%s\n", v["WIDTH"], v["HEIGHT"], v["X"], v["Y"] }'
}

grab() {  # area file
  import -window root -crop "$1" +repage "$2"
}

same() {
  [ "$(compare -metric AE "$1" "$2" null: 2>&1 || true)" = 0 ]
}

# Grabs the window until three grabs in a row agree: its painting is done.
# The last grab is left in $tmp/still.png.
still() {  # window what
  local where agreeing=0
  where=$(area "$1")
  grab "$where" "$tmp/still.png"
  for _ in $(seq 1 60); do
    sleep 0.15
    grab "$where" "$tmp/next.png"
    if same "$tmp/still.png" "$tmp/next.png"; then
      agreeing=$((agreeing + 1))
      [ "$agreeing" = 2 ] && return 0
    else
      agreeing=0
    fi
    mv "$tmp/next.png" "$tmp/still.png"
  done
  fail "$2: the window kept changing"
}

# The status bar's clock shows once the editor's timer has fired, and a
# timer fires only when no other message, no painting either, is waiting:
# the window is loaded and drawn. The clock's panel, in pixels of the main
# window, as scripts/compare-shots.sh leaves it out.
wait_idle() {  # window
  local where
  where=$(area "$1")
  for _ in $(seq 1 200); do
    grab "$where" "$tmp/idle.png"
    [ "$(convert "$tmp/idle.png" -crop "$(px 44)x$(px 14)+$(px 284)+$(px 432)" +repage \
        -format '%[fx:minima<0.5]' info:)" = 1 ] &&
      return 0
    sleep 0.1
  done
  fail "the clock of the status bar did not show"
}

settle() {  # window name
  still "$1" "$2"
  mv "$tmp/still.png" "$SHOTS_OUT/$2.png"
}

# Sends the keys and waits until the window shows their effect and is still.
keys_then_still() {  # window what key...
  local window=$1 what=$2 where
  shift 2
  where=$(area "$window")
  grab "$where" "$tmp/before.png"
  xdotool key --delay 60 "$@"
  for _ in $(seq 1 50); do
    sleep 0.1
    grab "$where" "$tmp/after.png"
    same "$tmp/before.png" "$tmp/after.png" || break
  done
  still "$window" "$what"
}

# The same, then renders the window.
keys_then_settle() {  # window name key...
  keys_then_still "$@"
  mv "$tmp/still.png" "$SHOTS_OUT/$2.png"
}

# Keys that open a window: renders it once it is painted.
box() {  # title-pattern name key...
  local pattern=$1 name=$2 id
  shift 2
  xdotool key --delay 100 "$@"
  id=$(wait_window "$pattern")
  settle "$id" "$name"
}

# Closes the window with the keys and waits until it is gone.
dismiss() {  # title-pattern key...
  local pattern=$1
  shift
  xdotool key --delay 60 "$@"
  wait_gone "$pattern"
}

# The pointer stays off every window: nothing is drawn as hovered.
xdotool mousemove "$(px 639)" "$(px 519)"
cd "$SHOTS_CWD"
wine "$NODRAX_EXE" >/dev/null 2>&1 &
main=$(wait_window "^Nodrax configuration" 60)
wait_idle "$main"

# Every page, the ports one by one, the servers selected.
settle "$main" "page-01-${pages[0]}"
for i in $(seq 2 ${#pages[@]}); do
  name=$(printf 'page-%02d-%s' "$i" "${pages[i - 1]}")
  keys_then_settle "$main" "$name" ctrl+Tab
  if [ "$i" = "$kServersPage" ]; then
    # The focus is on the server list. In a list without a selection the
    # first key selects the first item, even End.
    keys_then_settle "$main" "$name-selected-first" Home
    # The internal server, last in the list, which then scrolls.
    keys_then_settle "$main" "$name-selected-last" End
  elif [ "$i" = "$kPortsPage" ]; then
    # The focus is on the selected port; Tab moves on to the type list.
    keys_then_settle "$main" "$name-types" Tab F4
    xdotool key --delay 60 Escape shift+Tab
    for port in $(seq 2 10); do
      keys_then_settle "$main" "$(printf '%s-port-%02d' "$name" "$port")" Down
    done
  fi
done

# Back on the General page, the focus in the callsign.
keys_then_still "$main" "the General page" ctrl+Tab

box "^About Nodraxcfg$" about alt+a
dismiss "^About Nodraxcfg$" Return

# An edit, then File > Reload Registry. "No" reloads the stored values.
box "^Nodraxcfg$" box-configuration-changed End BackSpace alt+f r
dismiss "^Nodraxcfg$" n

# An edit, then File > Exit (the last item: Export Config has its letter
# too). "Cancel" keeps the window.
keys_then_still "$main" "the Folders page" ctrl+Tab
keys_then_still "$main" "the General page" ctrl+shift+Tab
box "^Nodraxcfg$" box-save-configuration End BackSpace alt+f Up Return
dismiss "^Nodraxcfg$" Escape

# An empty callsign, then File > Save.
keys_then_still "$main" "the Folders page" ctrl+Tab
keys_then_still "$main" "the General page" ctrl+shift+Tab
box "^Nodraxcfg$" box-bbs-callsign Home shift+End Delete alt+f s
dismiss "^Nodraxcfg$" Return

box "^Open Init.srv File$" dialog-import-init-srv alt+f i
dismiss "^Open Init.srv File$" Escape

# A click on the colours panel, off its six labels, chooses its background.
keys=()
for _ in $(seq 2 "$kColoursPage"); do keys+=(ctrl+Tab); done
keys_then_still "$main" "the Colours page" "${keys[@]}"
xdotool mousemove --window "$main" "$(px 118)" "$(px 245)" click 1 mousemove "$(px 639)" "$(px 519)"
id=$(wait_window "^Color$")
settle "$id" dialog-colour
dismiss "^Color$" Escape

WINEPREFIX="$WINEPREFIX" wineserver -k
