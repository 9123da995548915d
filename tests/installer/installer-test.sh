#!/usr/bin/env bash
# The installer as a sysop runs it, each scenario on a fresh Wine prefix of
# its own (a copy of one made once and never used):
#   default-folder  a silent install with nothing stored before: ZubRoot, the
#                   registrations, the Start-menu entry, Add/Remove Programs
#                   and the programs' access list; the applet, opened by
#                   Wine's control.exe, starts the installed editor; while it
#                   runs, installs and the uninstall change nothing; then the
#                   silent uninstall
#   chosen-folder   /D into a folder of the sysop's choice, whose first run
#                   (started from the Start menu and saved) takes it as the
#                   root; an upgrade without /D goes there, a /D still wins,
#                   and an expandable root is expanded; the root folder
#                   is locked, its data folders keep their own rights
#   stored-roots    a root however the sysop stored it (forward slashes,
#                   variables in a REG_SZ, only the older key) is installed
#                   into and left as written; one that cannot be used (no
#                   such drive, relative, a quote, no text) changes nothing
#   in-use          the applet held loaded by the Control Panel: the silent
#                   upgrade and uninstall end with 32 and leave every file,
#                   the interactive one names the file; an upgrade that
#                   fails part-way puts the earlier programs back
#   installer-test.sh <scenario> <installer.exe> <InstallProbe.exe> <build folder>
# Needs a display (CTest runs under xvfb-run) and Wine's 32-bit half.
set -uo pipefail
scenario=$1 installer=$2 probe=$3 build=$4
here=$(cd "$(dirname "$0")" && pwd)
wine_run="$here/../../scripts/wine-run.sh"
source "$here/../../scripts/wine-loader.sh"
export WINEDEBUG=-all
# No menu entries on the host's desktop for the Start-menu shortcut.
export WINEDLLOVERRIDES=winemenubuilder.exe=d
pristine=$build/wineprefix-installer-fresh
export WINEPREFIX=$build/wineprefix-installer-$scenario

default_root='C:\Program Files (x86)\Nodrax'
folders='HKLM\Software\Nodrax\Folders'
older_folders='HKLM\Software\Nodrax\Directories'
config='HKLM\Software\Nodrax\Config'
cpls='HKLM\Software\Microsoft\Windows\CurrentVersion\Control Panel\Cpls'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Nodraxcfg'
shortcut='C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Nodraxcfg.lnk'
programs=(Nodraxcfg.exe Nodraxcpl.cpl Uninstall-Nodraxcfg.exe)

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
value() {  # value <key> <name> <view 32|64>: the data of a value, any type
  wine reg query "$1" /v "$2" "/reg:$3" 2>/dev/null | tr -d '\r' |
    sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}
host() {  # host <Windows path on C:>: the path on the host
  local path=${1#C:}
  echo "$WINEPREFIX/drive_c${path//\\//}"
}
wait_for() {  # wait_for <seconds> <command...>
  local deadline=$((SECONDS + $1))
  shift
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.3
  done
}
editor_window() { xdotool search --name '^Nodrax configuration  1\.5\.3$'; }
editors() {  # editors [root]: the editors of this prefix (started from root)
  local pid
  for pid in $(pgrep -f '\\Nodraxcfg\.exe'); do
    grep -qzxF "WINEPREFIX=$WINEPREFIX" "/proc/$pid/environ" 2>/dev/null || continue
    [ -z "${1:-}" ] || tr '\0' ' ' <"/proc/$pid/cmdline" | grep -qF -- "$1\\Nodraxcfg.exe" ||
      continue
    echo "$pid"
  done
}
editor_in() { [ -n "$(editors "$1")" ]; }
no_editor() { [ -z "$(editors)" ]; }
in_root() {  # in_root <root> <host|windows>: the programs' paths there
  local file
  for file in "${programs[@]}"; do
    if [ "$2" = host ]; then host "$1\\$file"; else echo "$1\\$file"; fi
  done
}
contents() {  # contents <root>: one checksum of the three programs
  local files
  mapfile -t files < <(in_root "$1" host)
  cat "${files[@]}" | md5sum
}
in_place() {  # in_place <command line>: runs it as typed, returns its exit code
  # "/D=" and "_?=" take the rest of the line, blanks and all, unquoted;
  # Wine would quote an argument with blanks in it, a batch file does not.
  printf '@%s\r\n@exit /b %%errorlevel%%\r\n' "$1" >"$(host 'C:\installer-test.bat')"
  wine cmd /c 'C:\installer-test.bat'
}
install() {  # install <arguments>: runs the installer, its exit code in $installed
  in_place "C:\Nodraxcfg-setup.exe $*"
  installed=$?
}
installed_in() {  # installed_in <root>: the three programs are there
  local file
  for file in "${programs[@]}"; do test -f "$(host "$1")/$file" || return 1; done
}
nothing_in() {  # nothing_in <root>: none of them is there
  local file
  for file in "${programs[@]}"; do test ! -e "$(host "$1")/$file" || return 1; done
}
locked() {  # locked <root>: Wine's view of the programs' access list
  # Wine keeps no access lists: it maps the one the installer sets onto the
  # Unix mode and reports back SYSTEM and the owner (the installing
  # administrator) with full access, and no ACE for anyone else; a file it
  # did not change reports Everyone with read and execute. The mode leaves
  # others nothing (770 when the list is set, 750 when the file is created
  # with it, under the umask).
  local lines files file
  mapfile -t files < <(in_root "$1" windows)
  lines=$(wine "$probe" sddl "${files[@]}" | tr -d '\r') || return 1
  [ "$(grep -c . <<<"$lines")" -eq 3 ] || return 1
  ! grep -Ev '^O:(S-[0-9-]+)D:\(A;;FA;;;SY\)\(A;;FA;;;\1\)$' <<<"$lines" || return 1
  mapfile -t files < <(in_root "$1" host)
  for file in "${files[@]}"; do [[ "$(stat -c %a "$file")" == 7?0 ]] || return 1; done
}
root_locked() {  # root_locked <root>: Wine's view of the root folder's access list
  # As for the programs, with the inheritance the list passes on.
  local line
  line=$(wine "$probe" sddl "$1" | tr -d '\r') || return 1
  grep -Eq '^O:(S-[0-9-]+)D:\(A;OICI;FA;;;SY\)\(A;OICI;FA;;;\1\)$' <<<"$line" || return 1
  [[ "$(stat -c %a "$(host "$1")")" == 7?0 ]]
}
set_root() {  # set_root <key> <type> <data>: ZubRoot in the 32-bit view
  wine reg add "$1" /v ZubRoot /t "$2" /d "$3" /f /reg:32 >/dev/null 2>&1
}
applet_loaded() {  # some process of this prefix has the installed applet mapped
  local pid
  for pid in $(pgrep -f 'control\.exe'); do
    grep -qzxF "WINEPREFIX=$WINEPREFIX" "/proc/$pid/environ" 2>/dev/null || continue
    grep -q 'Nodraxcpl\.cpl' "/proc/$pid/maps" 2>/dev/null && return 0
  done
  return 1
}
applet_free() { ! applet_loaded; }
mark() {  # mark <root>: a byte more at the end of each installed program
  local file
  while IFS= read -r file; do printf x >>"$file"; done < <(in_root "$1" host)
}

wait_setup() {  # wait_setup <pid>: its exit code, or 124 (ended) after 30 s
  local deadline=$((SECONDS + 30))
  while kill -0 "$1" 2>/dev/null; do
    if [ $SECONDS -ge $deadline ]; then
      kill "$1"
      wait "$1" 2>/dev/null
      return 124
    fi
    sleep 0.3
  done
  wait "$1"
}
finish() {
  wineserver -k 2>/dev/null
  wineserver -w 2>/dev/null
  echo "installer test, $scenario: $SECONDS s"
  echo "$passes passed, $failures failed"
  [ $failures -eq 0 ]
  exit $?
}

# A fresh prefix: a copy of one that Wine made and nothing has used.
if [ ! -f "$pristine/system.reg" ]; then
  rm -rf "$pristine"
  WINEPREFIX=$pristine "$wine_run" cmd /c exit 0 >/dev/null 2>&1
  WINEPREFIX=$pristine wineserver -w
fi
wineserver -k 2>/dev/null
rm -rf "$WINEPREFIX"
cp -a "$pristine" "$WINEPREFIX"
cp "$installer" "$(host 'C:\Nodraxcfg-setup.exe')"
echo "fresh prefix: $SECONDS s"

case $scenario in
default-folder)
  # A stored configuration that the uninstall must leave alone.
  wine reg add "$config" /v BbsCallsign /d N0CALL /f /reg:32 >/dev/null 2>&1
  install /S
  check "the installer ends with success" test "$installed" -eq 0
  check "it installs into the default BBS root folder" installed_in "$default_root"
  check "and stores that folder as ZubRoot" test "$(value "$folders" ZubRoot 32)" = "$default_root"
  check "in the 32-bit view only" test -z "$(value "$folders" ZubRoot 64)"
  cpl=$(value "$cpls" Nodraxcpl 64)
  check "the applet is registered in the 64-bit view" test "$cpl" = "$default_root\\Nodraxcpl.cpl"
  check "and only there" test -z "$(value "$cpls" Nodraxcpl 32)"
  check "the Start menu of all users has the editor" test -f "$(host "$shortcut")"
  check "the editor's shortcut names the installed editor" \
    grep -qa 'Nodrax.Nodraxcfg\.exe' "$(host "$shortcut")"
  mapfile -t files < <(in_root "$default_root" host)
  size_kb=$((($(cat "${files[@]}" | wc -c) + 1023) / 1024))
  expected=("DisplayName=Nodraxcfg (Nodrax configuration tool)" "DisplayVersion=1.5.3"
            "Publisher=Nodrax project" "DisplayIcon=$default_root\\Nodraxcfg.exe,0"
            "EstimatedSize=$(printf '0x%x' "$size_kb")"
            "UninstallString=\"$default_root\\Uninstall-Nodraxcfg.exe\"")
  for pair in "${expected[@]}"; do
    check "Add/Remove Programs: $pair" test "$(value "$uninstall_key" "${pair%%=*}" 64)" = "${pair#*=}"
  done
  check "only administrators and SYSTEM may change the installed programs" locked "$default_root"

  # The applet, opened from its registration, starts the installed editor
  # from the root that the installer stored. The 64-bit Control Panel: with
  # Wine's 32-bit half installed, "wine" alone would run the 32-bit one,
  # which cannot load a 64-bit item.
  wine64=$(command -v wine64 || echo /usr/lib/wine/wine64)
  "$wine64" control.exe "$cpl"
  check "the Control Panel opens the applet, which starts the editor" wait_for 30 editor_window
  check "the editor runs from the BBS root folder" wait_for 5 editor_in "$default_root"

  # While it runs, nothing is replaced or removed: silently the run ends
  # with ERROR_SHARING_VIOLATION, interactively the sysop is asked.
  before=$(contents "$default_root")
  install /S
  check "a silent install while the editor runs ends with 32" test "$installed" -eq 32
  # "_?=" runs the uninstaller in place rather than from a copy of itself,
  # so that its exit code is the uninstall's.
  in_place "\"$default_root\\Uninstall-Nodraxcfg.exe\" /S _?=$default_root"
  check "and so does a silent uninstall" test $? -eq 32
  check "neither changes a file" test "$(contents "$default_root")" = "$before"
  check "nor a registration" test -n "$(value "$cpls" Nodraxcpl 64)"
  wine 'C:\Nodraxcfg-setup.exe' &
  setup=$!
  # The directory page first: its Install button (id 1) goes on.
  check "the interactive installer shows its folder page" \
    wine "$probe" press "Nodraxcfg 1.5.3 Setup" 1
  question=$(wine "$probe" press "Nodraxcfg is running" 4 | tr -d '\r')  # Retry
  check "it asks to close the running editor, with Retry and Cancel" \
    grep -q '^Nodraxcfg is running\. Close it' <<<"$question"
  check "Retry asks again while the editor still runs" \
    wine "$probe" press "Nodraxcfg is running" 2  # Cancel
  wait_setup "$setup"
  cancelled=$?
  check "Cancel ends the installer with 32" test "$cancelled" -eq 32
  check "and nothing was changed" test "$(contents "$default_root")" = "$before"
  for editor in $(editors); do kill "$editor"; done
  wait_for 10 no_editor

  wine "$(host "$default_root")/Uninstall-Nodraxcfg.exe" /S
  check "the uninstaller removes the files" wait_for 60 nothing_in "$default_root"
  check "and the Start-menu entry" test ! -e "$(host "$shortcut")"
  check "and the applet's registration" test -z "$(value "$cpls" Nodraxcpl 64)"
  check "and the Add/Remove Programs entry" sh -c "! wine reg query '$uninstall_key' /reg:64"
  check "the stored configuration stays" test "$(value "$config" BbsCallsign 32)" = N0CALL
  check "the stored root stays" test "$(value "$folders" ZubRoot 32)" = "$default_root"
  ;;

chosen-folder)
  chosen='C:\Radio BBS'
  install /S "/D=$chosen"
  check "the installer ends with success" test "$installed" -eq 0
  check "it installs into the folder that /D names" installed_in "$chosen"
  check "and nothing into the default folder" nothing_in "$default_root"
  check "it stores that folder as ZubRoot" test "$(value "$folders" ZubRoot 32)" = "$chosen"
  check "only administrators and SYSTEM may change the installed programs" locked "$chosen"

  # The first run, from the Start menu: closed with Yes to "Save
  # Configuration?", it stores the folders below the root it proposed.
  wine start "$shortcut"
  check "the Start-menu entry starts the installed editor" wait_for 30 editor_window
  check "from the chosen folder" wait_for 5 editor_in "$chosen"
  wine "$probe" close TForm1
  check "closing the first run asks to save" wine "$probe" press "Save Configuration?" 6  # Yes
  wait_for 20 no_editor
  check "the first run's root is the chosen folder" test "$(value "$folders" Data 32)" = "$chosen\\Data"
  check "and the save made its data folder there" test -d "$(host "$chosen")/Data"
  check "the root stays stored" test "$(value "$folders" ZubRoot 32)" = "$chosen"
  check "only administrators and SYSTEM may move or change the root folder" root_locked "$chosen"
  data_mode=$(stat -c %a "$(host "$chosen")/Data")

  # An upgrade without /D goes where the stored root is.
  rm -f "$(host "$chosen")/Nodraxcfg.exe" "$(host "$chosen")/Uninstall-Nodraxcfg.exe"
  install /S
  check "an upgrade ends with success" test "$installed" -eq 0
  check "it goes into the stored root" installed_in "$chosen"
  check "not into the default folder" nothing_in "$default_root"
  check "Add/Remove Programs names that folder" \
    test "$(value "$uninstall_key" InstallLocation 64)" = "$chosen"
  check "the existing root folder is locked" root_locked "$chosen"
  check "its data folders keep their own rights" \
    test "$(stat -c %a "$(host "$chosen")/Data")" = "$data_mode"
  check "the programs too" locked "$chosen"

  # /D still wins, and leaves the sysop's stored root as it is.
  other='C:\Second Copy'
  install /S "/D=$other"
  check "with /D it installs where /D says" installed_in "$other"
  check "the stored root stays" test "$(value "$folders" ZubRoot 32)" = "$chosen"

  # A root stored as REG_EXPAND_SZ text is expanded.
  wine reg add 'HKLM\Software\Nodrax\Folders' /v ZubRoot /t REG_EXPAND_SZ \
    /d '%SystemDrive%\Expanded Root' /f /reg:32 >/dev/null 2>&1
  install /S
  check "an expandable stored root is expanded" installed_in 'C:\Expanded Root'
  ;;
stored-roots)
  # installs_into <root as stored> <folder>: a silent install goes there and
  # leaves the stored value (in the key given) as it was written.
  installs_into() {
    local key=$1 type=$2 stored=$3 folder=$4
    set_root "$key" "$type" "$stored"
    install /S
    check "$stored ($type): the install ends with success" test "$installed" -eq 0
    check "$stored: it installs into $folder" installed_in "$folder"
    check "$stored: and is stored as written" test "$(value "$key" ZubRoot 32)" = "$stored"
    check "$stored: nothing into the default folder" nothing_in "$default_root"
  }
  installs_into "$folders" REG_SZ 'C:/Radio BBS' 'C:\Radio BBS'
  check "the root folder is locked" root_locked 'C:\Radio BBS'
  installs_into "$folders" REG_SZ '%SystemDrive%\Sz Root' 'C:\Sz Root'
  installs_into "$folders" REG_EXPAND_SZ '%SystemDrive%/Ex Root/' 'C:\Ex Root'
  # Only the older key, as an older station has it: the editor's first
  # start moves it across; the installer writes neither key.
  wine reg delete "$folders" /v ZubRoot /f /reg:32 >/dev/null 2>&1
  installs_into "$older_folders" REG_SZ 'C:\OldBBS' 'C:\OldBBS'
  check "the older key alone: Folders gets no ZubRoot" test -z "$(value "$folders" ZubRoot 32)"
  check "Add/Remove Programs names the older key's folder" \
    test "$(value "$uninstall_key" InstallLocation 64)" = 'C:\OldBBS'

  # Roots that cannot be used: the install ends with ERROR_BAD_PATHNAME and
  # changes nothing, neither a file nor the stored value.
  wine reg delete "$uninstall_key" /f /reg:64 >/dev/null 2>&1
  unusable=('REG_SZ|Q:\No Drive' 'REG_SZ|relative\bbs' 'REG_SZ|C:\Quote"d'
            'REG_EXPAND_SZ|%NODRAX_UNSET%\bbs' 'REG_DWORD|7')
  for row in "${unusable[@]}"; do
    type=${row%%|*} stored=${row#*|}
    set_root "$folders" "$type" "$stored"
    before=$(value "$folders" ZubRoot 32)
    install /S
    check "$stored ($type): the install ends with 161" test "$installed" -eq 161
    check "$stored: the stored value stays" test "$(value "$folders" ZubRoot 32)" = "$before"
    check "$stored: nothing is registered" sh -c "! wine reg query '$uninstall_key' /reg:64"
    check "$stored: nothing into the default folder" nothing_in "$default_root"
  done
  check "nor into a folder of those names" test ! -e "$(host 'C:\relative')"
  ;;

in-use)
  install /S
  check "the first install ends with success" test "$installed" -eq 0
  # Marked, so that a replaced program shows.
  mark "$default_root"
  before=$(contents "$default_root")
  wine64=$(command -v wine64 || echo /usr/lib/wine/wine64)
  WINELOADER=$wine64 "$wine64" control.exe &
  check "the Control Panel loads the applet" wait_for 30 applet_loaded
  install /S
  check "a silent upgrade while the applet is loaded ends with 32" test "$installed" -eq 32
  check "and leaves all three programs as they were" test "$(contents "$default_root")" = "$before"
  in_place "\"$default_root\\Uninstall-Nodraxcfg.exe\" /S _?=$default_root"
  check "a silent uninstall ends with 32 too" test $? -eq 32
  check "and leaves all three programs" test "$(contents "$default_root")" = "$before"
  check "and the applet's registration" test -n "$(value "$cpls" Nodraxcpl 64)"
  check "and the Add/Remove Programs entry" wine reg query "$uninstall_key" /reg:64
  wine 'C:\Nodraxcfg-setup.exe' &
  setup=$!
  check "the interactive installer shows its folder page" \
    wine "$probe" press "Nodraxcfg 1.5.3 Setup" 1
  question=$(wine "$probe" press "Setup cannot replace" 2 | tr -d '\r')  # Cancel
  check "it names the loaded applet, with Retry and Cancel" \
    grep -qF "Setup cannot replace $default_root\\Nodraxcpl.cpl" <<<"$question"
  wait_setup "$setup"
  check "Cancel ends it with 32" test $? -eq 32
  check "and nothing was changed" test "$(contents "$default_root")" = "$before"
  for pid in $(pgrep -f 'control\.exe'); do
    grep -qzxF "WINEPREFIX=$WINEPREFIX" "/proc/$pid/environ" 2>/dev/null && kill "$pid"
  done
  check "the Control Panel lets the applet go" wait_for 10 applet_free

  # An upgrade that fails after two of the three programs (the third cannot
  # be moved aside: a folder holds the name) puts the first two back.
  mkdir "$(host "$default_root")/Uninstall-Nodraxcfg.exe.previous"
  install /S
  check "an upgrade that fails part-way ends with 29" test "$installed" -eq 29
  check "and puts the earlier programs back" test "$(contents "$default_root")" = "$before"
  check "leaving no copy aside" test ! -e "$(host "$default_root")/Nodraxcfg.exe.previous"
  rmdir "$(host "$default_root")/Uninstall-Nodraxcfg.exe.previous"
  install /S
  check "once nothing holds them, the upgrade ends with success" test "$installed" -eq 0
  check "and replaces all three" test "$(contents "$default_root")" != "$before"
  check "written locked" locked "$default_root"
  ;;
*)
  echo "unknown scenario $scenario"
  failures=1
  ;;
esac
finish
