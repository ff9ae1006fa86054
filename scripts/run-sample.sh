#!/usr/bin/env bash
# Installs what is missing, builds the program, lays out a sample library (a program folder with
# a `book` folder beside it) and starts the program on it. Without a display it runs the program
# on a virtual one and saves a screenshot instead.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

./scripts/install-deps.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLMERE_TESTS=OFF -DQUILLMERE_BENCH=OFF
cmake --build build -j"$(nproc)" --target Quillmere

library="$root/build/sample-library"
"$root/scripts/make-sample-library.sh" "$root/build/bin/Quillmere" "$library"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  echo "Starting Quillmere on the sample library in $library"
  exec "$library/Quillmere/Quillmere"
fi

shot="$library/screenshot.png"
echo "No display here: running Quillmere on a virtual display and saving a screenshot to $shot"
xvfb-run -a -s "-screen 0 800x600x24" bash -c '
  "$1/Quillmere/Quillmere" & app=$!
  sleep 3
  import -window root "$2"
  kill $app; wait $app 2>/dev/null || true
' _ "$library" "$shot"
echo "Screenshot saved: $shot"
