#!/usr/bin/env bash
# Each layer of the program includes only its own headers and those of the layers below it, and
# the two lowest know nothing of Qt:
#   main_window → settings_window → gui → support → platform
# Prints each include that reaches upwards, and fails if there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

layers=(platform support gui settings_window main_window)
found=0
for i in "${!layers[@]}"; do
  layer=${layers[$i]}
  above=("${layers[@]:$((i + 1))}")
  files=$(git ls-files "$layer/*.cpp" "$layer/*.h")
  [ -n "$files" ] || continue
  if [ "${#above[@]}" -gt 0 ]; then
    pattern="^[[:space:]]*#[[:space:]]*include[[:space:]]*\"($(IFS='|'; echo "${above[*]}"))/"
    if grep -nE "$pattern" $files; then found=1; fi
  fi
  if [ "$layer" = platform ] || [ "$layer" = support ]; then
    if grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q' $files; then found=1; fi
  fi
done
if [ "$found" -ne 0 ]; then
  echo "Layers: the includes above reach a layer above their own, or Qt below gui/."
fi
exit "$found"
