#!/usr/bin/env bash
# Builds a release of the program and makes its portable package with CPack (in build-package):
# a .tar.gz on Linux, a .zip on Windows. Unpacked, it gives one folder holding the program
# folder "Quillmere" and an empty "book" folder beside it. Prints the archive's path.
set -euo pipefail
cd "$(dirname "$0")/.."

build="build-package"
# Progress goes to the error output, so that the standard output is the archive's path alone.
{
  ./scripts/install-deps.sh
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLMERE_TESTS=OFF \
    -DQUILLMERE_BENCH=OFF
  cmake --build "$build" -j"$(nproc)"
} >&2

log=$(cd "$build" && cpack)
printf '%s\n' "$log" >&2
archive=$(printf '%s\n' "$log" | sed -n 's/^CPack: - package: \(.*\) generated\.$/\1/p' | tail -1)
[ -f "$archive" ] || { echo "package.sh: cpack named no archive" >&2; exit 1; }
echo "$archive"
