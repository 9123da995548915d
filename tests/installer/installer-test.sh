#!/usr/bin/env bash
# The installer on a fresh Wine prefix, as a sysop runs it: silently into
# the default BBS root folder; the applet registered with the Control Panel
# in the 64-bit view and opened by Wine's control.exe, which starts the
# installed editor; then the silent uninstall, which removes the files and
# both registrations and leaves the stored configuration in place.
#   installer-test.sh <installer.exe> <scratch folder>
# Needs a display (CTest runs under xvfb-run) and Wine's 32-bit half.
set -uo pipefail
installer=$1
export WINEPREFIX=$2/wineprefix-install WINEDEBUG=-all
here=$(cd "$(dirname "$0")" && pwd)
wine_run="$here/../../scripts/wine-run.sh"
root_folder='C:\Program Files (x86)\Nodrax'
root_host="$WINEPREFIX/drive_c/Program Files (x86)/Nodrax"
cpls='HKLM\Software\Microsoft\Windows\CurrentVersion\Control Panel\Cpls'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Nodraxcfg'
config='HKLM\Software\Nodrax\Config'

failures=0
passes=0
check() {  # check <description> <command...>
  local what=$1
  shift
  if "$@" >/dev/null 2>&1; then
    passes=$((passes + 1))
  else
    failures=$((failures + 1))
    echo "FAILED: $what"
  fi
}
value() {  # value <key> <name> <view 32|64>: the data of a REG_SZ value
  wine reg query "$1" /v "$2" "/reg:$3" 2>/dev/null | tr -d '\r' |
    sed -n "s/^ *$2 *REG_SZ *//p"
}
wait_for() {  # wait_for <seconds> <command...>
  local deadline=$((SECONDS + $1))
  shift
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.5
  done
}
editor_window() { xdotool search --name '^Nodrax configuration  1\.5\.3$'; }
finish() {
  wineserver -k 2>/dev/null
  wineserver -w 2>/dev/null
  echo "installer test: $SECONDS s"
  echo "$passes passed, $failures failed"
  [ $failures -eq 0 ]
  exit $?
}

start=$SECONDS
wineserver -k 2>/dev/null
rm -rf "$WINEPREFIX"
"$wine_run" cmd /c exit 0 >/dev/null 2>&1
echo "fresh prefix: $((SECONDS - start)) s"
# A stored configuration that the uninstall must leave alone.
wine reg add "$config" /v BbsCallsign /d N0CALL /f /reg:32 >/dev/null 2>&1

wine "$installer" /S
check "the installer ends with success" test $? -eq 0
for file in Nodraxcfg.exe Nodraxcpl.cpl Uninstall-Nodraxcfg.exe; do
  check "$file is in the default BBS root folder" test -f "$root_host/$file"
done
cpl=$(value "$cpls" Nodraxcpl 64)
check "the applet is registered in the 64-bit view" test "$cpl" = "$root_folder\\Nodraxcpl.cpl"
check "and only there" test -z "$(value "$cpls" Nodraxcpl 32)"
check "Add/Remove Programs lists it" test -n "$(value "$uninstall_key" DisplayName 64)"
check "with its uninstaller" \
  test "$(value "$uninstall_key" UninstallString 64)" = "\"$root_folder\\Uninstall-Nodraxcfg.exe\""

# The applet, opened from its registration, starts the installed editor
# from the root that the editor's save stores.
wine reg add 'HKLM\Software\Nodrax\Folders' /v ZubRoot /d "$root_folder" /f /reg:32 >/dev/null 2>&1
# The 64-bit Control Panel: with Wine's 32-bit half installed, "wine" alone
# would run the 32-bit one, which cannot load a 64-bit item.
wine64=$(command -v wine64 || echo /usr/lib/wine/wine64)
"$wine64" control.exe "$cpl"
check "the Control Panel opens the applet, which starts the editor" wait_for 30 editor_window
check "the editor runs from the BBS root folder" \
  wait_for 5 pgrep -f 'Nodrax\\Nodraxcfg\.exe'
editor=$(pgrep -f 'Nodrax\\Nodraxcfg\.exe' | head -n 1)
[ -z "$editor" ] || kill "$editor"
wait_for 10 sh -c '! pgrep -f "Nodrax\\\\Nodraxcfg\\.exe"'

# The uninstaller copies itself away and removes the files from there.
wine "$root_host/Uninstall-Nodraxcfg.exe" /S
check "the uninstaller removes the files" \
  wait_for 60 sh -c "! ls \"$root_host\"/Nodraxcfg.exe \"$root_host\"/Nodraxcpl.cpl \"$root_host\"/Uninstall-Nodraxcfg.exe"
check "and the applet's registration" test -z "$(value "$cpls" Nodraxcpl 64)"
check "and the Add/Remove Programs entry" sh -c "! wine reg query '$uninstall_key' /reg:64"
check "the stored configuration stays" test "$(value "$config" BbsCallsign 32)" = N0CALL
check "the stored root stays" test "$(value 'HKLM\Software\Nodrax\Folders' ZubRoot 32)" = "$root_folder"
finish
