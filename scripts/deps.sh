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
if [ ${#need[@]} -gt 0 ]; then
  echo "Installing: ${need[*]}"
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${need[@]}" >/dev/null
fi
