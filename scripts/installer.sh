#!/usr/bin/env bash
# Builds the Windows installer of the editor and the applet with NSIS:
# build/Nodraxcfg-1.5.3-setup.exe (or in $BUILD_DIR). Run it on Windows as
# an administrator; "/S" installs silently, "/D=<folder>" (last) picks the
# BBS root folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
BUILD_DIR=$build NODRAX_TARGET=installer "$root/scripts/build.sh"
echo "$build/Nodraxcfg-1.5.3-setup.exe"
