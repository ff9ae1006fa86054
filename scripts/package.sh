#!/usr/bin/env bash
# Builds a release of the program and makes its portable package with CPack: a .tar.gz on Linux
# (in build-package); with "windows", the Windows program cross-built with Qt for Windows
# (scripts/build-qt-windows.sh) and its .zip (in build-package-windows). Unpacked, it gives one
# folder holding the program folder "Quillmere" and an empty "book" folder beside it. Prints
# the archive's path.
#
#   scripts/package.sh            Quillmere-VERSION-Linux.tar.gz
#   scripts/package.sh windows    Quillmere-VERSION-Windows.zip
set -euo pipefail
cd "$(dirname "$0")/.."

target=${1:-linux}
# Progress goes to the error output, so that the standard output is the archive's path alone.
case "$target" in
  linux)
    build="build-package"
    {
      ./scripts/install-deps.sh
      cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLMERE_TESTS=OFF \
        -DQUILLMERE_BENCH=OFF
      cmake --build "$build" -j"$(nproc)"
    } >&2
    ;;
  windows)
    build="build-package-windows"
    {
      ./scripts/install-deps.sh
      qt_windows=$(./scripts/build-qt-windows.sh)
      sqlite_windows=$(./scripts/build-sqlite-windows.sh)
      cmake -S . -B "$build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$qt_windows/lib/cmake/Qt6/qt.toolchain.cmake" \
        -DQT_CHAINLOAD_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" \
        -DSQLite3_INCLUDE_DIR="$sqlite_windows/include" \
        -DSQLite3_LIBRARY="$sqlite_windows/lib/libsqlite3.a" \
        -DCMAKE_BUILD_TYPE=Release -DQUILLMERE_TESTS=OFF -DQUILLMERE_BENCH=OFF
      cmake --build "$build" -j"$(nproc)"
    } >&2
    ;;
  *)
    echo "package.sh: unknown target '$target' (linux or windows)" >&2
    exit 2
    ;;
esac

log=$(cd "$build" && cpack)
printf '%s\n' "$log" >&2
archive=$(printf '%s\n' "$log" | sed -n 's/^CPack: - package: \(.*\) generated\.$/\1/p' | tail -1)
[ -f "$archive" ] || { echo "package.sh: cpack named no archive" >&2; exit 1; }
echo "$archive"
