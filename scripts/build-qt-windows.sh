#!/usr/bin/env bash
# Builds Qt for Windows (Core, Gui, Widgets, Test and the platform plugins the program uses) with
# Debian's mingw-w64, from the source of the very Qt whose host tools (moc, uic, rcc) Debian
# ships, and installs it into a cache folder outside the work tree. A Qt already there is reused.
# Prints the prefix of the installed Qt as its last line.
#
#   scripts/build-qt-windows.sh            build or reuse; print the prefix
#   QUILLMERE_QT_CACHE=DIR                 where the cache lives
#                                          (default: ${XDG_CACHE_HOME:-$HOME/.cache}/quillmere)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)

say() { printf 'build-qt-windows: %s\n' "$*" >&2; }
fail() { say "FAILED: $*"; exit 1; }
# shellcheck source=debian-source.sh
source "$(dirname "$0")/debian-source.sh"

cache=${QUILLMERE_QT_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/quillmere}

# The host tools and the source must be the same Qt.
version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools 2>/dev/null) ||
  fail "qt6-base-dev-tools is not installed (scripts/install-deps.sh installs it)"
upstream=${version%%+*}

# What the build leaves out. Tablet events need wintab.h, which Debian's source does not carry;
# dynamic GL is referred to by the Windows plugin unless it is switched off with OpenGL.
features=(
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF
  -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_icu=OFF
  -DFEATURE_tabletevent=OFF -DFEATURE_dynamicgl=OFF
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF
  -DFEATURE_system_freetype=OFF -DFEATURE_system_jpeg=OFF -DFEATURE_system_png=OFF
)
# The cache is keyed by the Qt version and by this configuration.
key=$(printf '%s\n' "$version" "${features[@]}" "$(cat "$top/cmake/mingw-w64-x86_64-compilers.cmake")" |
  sha256sum | cut -c1-12)
prefix=$cache/qt-$upstream-mingw-w64-$key

if [ -f "$prefix/.complete" ]; then
  say "reusing Qt $upstream for Windows in $prefix"
  echo "$prefix"
  exit 0
fi

started=$(date +%s)
work=$cache/work-$key
rm -rf "$work" "$prefix"
say "fetching the source of qt6-base $version through apt"
debian_source "$work" qt6-base "$version"

say "configuring Qt $upstream for Windows"
cmake -S "$source_dir" -B "$work/build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64-compilers.cmake" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
  -DCMAKE_INSTALL_PREFIX="$prefix" "${features[@]}" >"$work/configure.log" 2>&1 ||
  fail "configuring Qt failed (see $work/configure.log)"

say "building Qt (the first time takes about 15 minutes on two cores)"
cmake --build "$work/build" --parallel "$(nproc)" >"$work/build.log" 2>&1 ||
  fail "building Qt failed (see $work/build.log)"
cmake --install "$work/build" >"$work/install.log" 2>&1 ||
  fail "installing Qt failed (see $work/install.log)"

touch "$prefix/.complete"
rm -rf "$work"
say "Qt $upstream for Windows built in $(($(date +%s) - started)) s, in $prefix"
echo "$prefix"
