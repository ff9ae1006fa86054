#!/usr/bin/env bash
# Installs what is missing, builds the program and its tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test with ctest; then builds the fuzz targets with
# clang and runs them briefly.
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

exit "$failed"
