#!/usr/bin/env bash
# Installs what is missing, builds the program and its tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test with ctest; then builds the fuzz targets with
# clang and runs them briefly; then cross-builds the platform layer and its tests for Windows and
# runs them under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh

export ASAN_OPTIONS="detect_leaks=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

failed=0

build=build-test
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUILLMERE_SANITIZE=ON -DQUILLMERE_BENCH=OFF
cmake --build "$build" -j"$(nproc)"
ctest --test-dir "$build" --output-on-failure --timeout 300 -j2 || failed=1

fuzz=build-test-fuzz
cmake -S . -B "$fuzz" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
  -DQUILLMERE_GUI=OFF -DQUILLMERE_BENCH=OFF
cmake --build "$fuzz" -j"$(nproc)" --target profile_read_fuzz command_line_fuzz
ctest --test-dir "$fuzz" --output-on-failure -L fuzz || failed=1

windows=build-win
cmake -S . -B "$windows" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=Debug -DQUILLMERE_GUI=OFF -DQUILLMERE_BENCH=OFF
cmake --build "$windows" -j"$(nproc)"
windows_result=passed
ctest --test-dir "$windows" --output-on-failure --timeout 300 || { windows_result=FAILED; failed=1; }
# No Wine server outlives the run, even when a test was cut short.
WINEPREFIX="$PWD/$windows/wineprefix" wineserver -k 2>/dev/null || true
echo "Windows build (under Wine): $windows_result"

exit "$failed"
