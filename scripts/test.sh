#!/usr/bin/env bash
# Installs what is missing, builds the program and its tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test with ctest; then builds the fuzz targets with
# clang and runs them briefly; then cross-builds the whole program and its tests for Windows and
# runs them under Wine: Qt for Windows (built once, then reused), the program, its tests, the
# real program end to end and its zip package.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh

export ASAN_OPTIONS="detect_leaks=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

failed=0

# The sources keep the repository's format.
if ! clang-format --dry-run --Werror $(git ls-files '*.cpp' '*.h') 2>/dev/null; then
  echo "Format: these files differ from .clang-format (clang-format -i FILE mends them):"
  clang-format --dry-run $(git ls-files '*.cpp' '*.h') 2>&1 | sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: .*/  \1/p' | sort -u
  failed=1
fi

# Each layer includes only itself and the layers below it.
./scripts/check-layers.sh || failed=1

build=build-test
cmake --preset linux-test
cmake --build "$build" -j"$(nproc)"
ctest --test-dir "$build" --output-on-failure --timeout 300 -j2 || failed=1

# Permissions do not bind the superuser, so under it the tests of read-only and unreadable files
# and folders (the CTest label "permissions") skip themselves; they run once more here as an
# ordinary user. Each program that holds such tests is copied, with the programs beside it (a
# stand-in the tests start), where that user may reach it.
if [ "$(id -u)" -eq 0 ] && id nobody >/dev/null 2>&1; then
  as_user=$(mktemp -d)
  chmod 755 "$as_user"
  cp tests/lsan.supp "$as_user/"
  programs=$(ctest --test-dir "$build" -N -V -L permissions |
    sed -n 's/^[0-9]*: Test command: \([^ ]*\) .*/\1/p' | sort -u)
  [ -n "$programs" ] || { echo "No test carries the label permissions"; failed=1; }
  for program in $programs; do
    name=$(basename "$program")
    mkdir -m 755 "$as_user/$name.d"
    find "$(dirname "$program")" -maxdepth 1 -type f -perm -u+x -exec cp {} "$as_user/$name.d/" \;
    echo "== $name as an ordinary user"
    (cd "$as_user/$name.d" && QT_QPA_PLATFORM=offscreen LSAN_OPTIONS="suppressions=$as_user/lsan.supp" \
      setpriv --reuid=nobody --regid=nogroup --clear-groups \
      "./$name" --gtest_filter='*ReadOnly*:*Unreadable*' --gtest_brief=1) || failed=1
  done
  rm -rf "$as_user"
fi

fuzz=build-test-fuzz
cmake --preset linux-fuzz
cmake --build "$fuzz" -j"$(nproc)" --target profile_read_fuzz command_line_fuzz record_read_fuzz \
  page_header_fuzz page_decode_fuzz study_log_fuzz
ctest --test-dir "$fuzz" --output-on-failure -L fuzz || failed=1

# The Windows program: Qt for Windows is built once into a cache outside the work tree and reused;
# so is SQLite, linked statically; the program, its kit, its package and every test that is not
# about Linux are cross-built and run under Wine.
qt_windows=$(./scripts/build-qt-windows.sh)
sqlite_windows=$(./scripts/build-sqlite-windows.sh)
windows=build-win
# A build folder configured without that Qt is made afresh.
if [ -f "$windows/CMakeCache.txt" ] && ! grep -qF "$qt_windows" "$windows/CMakeCache.txt"; then
  rm -rf "$windows"
fi
cmake -S . -B "$windows" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$qt_windows/lib/cmake/Qt6/qt.toolchain.cmake" \
  -DQT_CHAINLOAD_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" \
  -DSQLite3_INCLUDE_DIR="$sqlite_windows/include" -DSQLite3_LIBRARY="$sqlite_windows/lib/libsqlite3.a" \
  -DCMAKE_BUILD_TYPE=Debug -DQUILLMERE_WERROR=ON -DQUILLMERE_BENCH=OFF
cmake --build "$windows" -j"$(nproc)"
windows_result=passed
ctest --test-dir "$windows" --output-on-failure --timeout 600 || { windows_result=FAILED; failed=1; }
# No Wine server outlives the run, even when a test was cut short.
WINEPREFIX="$PWD/$windows/wineprefix" wineserver -k 2>/dev/null || true
echo "Windows build (under Wine): $windows_result"

exit "$failed"
