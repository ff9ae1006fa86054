#!/usr/bin/env bash
# Each layer of the program includes only its own headers and those of the layers below it, and
# the two lowest know nothing of Qt. The windows' layers side by side know nothing of each other:
#   main_window → settings_window, study_windows → gui → support → platform
# Prints each include that reaches upwards or sideways, and fails if there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

# From the lowest up; the folders of one level are separated by spaces.
levels=(platform support gui "settings_window study_windows" main_window)
found=0
for i in "${!levels[@]}"; do
  for layer in ${levels[$i]}; do
    # What this layer may not reach: every level above, and the other folders of its own.
    barred=()
    for other in ${levels[$i]}; do [ "$other" = "$layer" ] || barred+=("$other"); done
    for above in "${levels[@]:$((i + 1))}"; do barred+=($above); done
    files=$(git ls-files "$layer/*.cpp" "$layer/*.h")
    [ -n "$files" ] || continue
    if [ "${#barred[@]}" -gt 0 ]; then
      pattern="^[[:space:]]*#[[:space:]]*include[[:space:]]*\"($(IFS='|'; echo "${barred[*]}"))/"
      if grep -nE "$pattern" $files; then found=1; fi
    fi
    if [ "$layer" = platform ] || [ "$layer" = support ]; then
      if grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q' $files; then found=1; fi
    fi
  done
done
if [ "$found" -ne 0 ]; then
  echo "Layers: the includes above reach a layer above their own or beside it, or Qt below gui/."
fi
exit "$found"
