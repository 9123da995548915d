#!/usr/bin/env bash
# Fails on an include that goes up or across the layers of the source tree:
#   platform/  <  editor/config  <  editor/transfer, editor/ports  <  editor/app
# and applet/ beside them, on platform/ alone. A file may include its own
# folder and the folders below it; editor/transfer and editor/ports know
# nothing of each other. Prints every offending line.
set -euo pipefail
cd "$(dirname "$0")/.."
grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' \
    --include='*.h' --include='*.cpp' --include='*.rc' \
    platform editor applet |
awk '
BEGIN {
  may["platform"] = " platform "
  may["editor/config"] = " platform editor/config "
  may["editor/transfer"] = " platform editor/config editor/transfer "
  may["editor/ports"] = " platform editor/config editor/ports "
  may["editor/app"] = " platform editor/config editor/transfer editor/ports editor/app "
  may["applet"] = " platform applet "
}
{
  split($0, at, ":")
  file = at[1]
  folder = file
  sub(/\/[^\/]*$/, "", folder)
  match($0, /"[^"]+"/)
  included = substr($0, RSTART + 1, RLENGTH - 2)
  target = included
  # A header named without a folder is one beside the file.
  if (target !~ /\//) next
  sub(/\/[^\/]*$/, "", target)
  if (!(folder in may) || index(may[folder], " " target " ") == 0) {
    print file ":" at[2] ": " folder " may not include " included > "/dev/stderr"
    bad = 1
  }
}
END {
  if (bad) exit 1
  print "layout: every include goes down"
}'
