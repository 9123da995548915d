#!/usr/bin/env bash
# Cross-builds libjpeg for MinGW-w64 from Debian's libjpeg-turbo source
# package into <build>/deps/jpeg, where the editor's CMake configuration
# finds it through find_package(JPEG) (JPEG_ROOT). A copy built before is
# reused. Neither the source nor the library is ever part of the tree.
#
# The source comes through apt-get with a private list of deb-src entries,
# made from the machine's own deb entries, and a private state and cache
# folder: the machine's apt configuration stays as it is.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
deps=$build/deps
prefix=$deps/jpeg
if [ -f "$prefix/include/jpeglib.h" ] && [ -f "$prefix/lib/libjpeg.a" ]; then
  exit 0
fi

apt=$deps/apt
rm -rf "$apt" "$deps/src"
mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial" "$apt/sources.list.d" "$deps/src"
: >"$apt/sources.list"
for list in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
  [ -f "$list" ] || continue
  sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$list" >>"$apt/sources.list"
done
for sources in /etc/apt/sources.list.d/*.sources; do
  [ -f "$sources" ] || continue
  sed 's/^Types:.*/Types: deb-src/' "$sources" >"$apt/sources.list.d/$(basename "$sources")"
done
options=(-o "Dir::Etc::SourceList=$apt/sources.list" -o "Dir::Etc::SourceParts=$apt/sources.list.d"
  -o "Dir::State=$apt" -o "Dir::State::Lists=$apt/lists" -o "Dir::State::status=/var/lib/dpkg/status"
  -o "Dir::Cache=$apt/cache" -o "Debug::NoLocking=1")
[ "$(id -u)" -ne 0 ] || options+=(-o "APT::Sandbox::User=root")
echo "Fetching the libjpeg-turbo source package"
# A repository without source indices only warns; the package must be found.
apt-get "${options[@]}" update -qq || echo "apt-get update reported problems; trying the source anyway"
(cd "$deps/src" && apt-get "${options[@]}" source -qq libjpeg-turbo >/dev/null)
source_dir=$(find "$deps/src" -mindepth 1 -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n 1)
[ -n "$source_dir" ] || { echo "no libjpeg-turbo source in $deps/src" >&2; exit 1; }

echo "Building libjpeg for Windows x86_64"
cmake -S "$source_dir" -B "$deps/jpeg-build" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DWITH_SIMD=OFF -DENABLE_SHARED=OFF -DWITH_TURBOJPEG=OFF \
  -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_INSTALL_LIBDIR=lib -DCMAKE_INSTALL_INCLUDEDIR=include \
  >"$deps/jpeg-configure.log"
cmake --build "$deps/jpeg-build" --target jpeg-static -j"$(nproc)" >"$deps/jpeg-build.log"
# Only the library and its headers: the tools are not needed.
mkdir -p "$prefix/lib" "$prefix/include"
cp "$deps/jpeg-build/libjpeg.a" "$prefix/lib/"
cp "$source_dir/jpeglib.h" "$source_dir/jmorecfg.h" "$source_dir/jerror.h" \
  "$deps/jpeg-build/jconfig.h" "$prefix/include/"
rm -rf "$deps/src" "$deps/jpeg-build" "$apt"
echo "libjpeg is in $prefix"
