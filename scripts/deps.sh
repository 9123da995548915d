#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing.
set -euo pipefail
need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
for p in g++-mingw-w64-x86-64 mingw-w64-tools wine wine64 xvfb xauth cmake make imagemagick xdotool dpkg-dev nsis; do
  have "$p" || need+=("$p")
done
[ -d /usr/src/googletest ] || need+=(googletest)
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
# The installer that NSIS makes is a 32-bit program: Wine runs it with its
# 32-bit half, a package of the i386 architecture.
if ! have wine32:i386; then
  dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386
  need+=(wine32:i386)
fi
if [ ${#need[@]} -gt 0 ]; then
  echo "Installing: ${need[*]}"
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${need[@]}" >/dev/null
fi
