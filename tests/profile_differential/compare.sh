#!/usr/bin/env bash
# Runs the settings-file cases through both implementations (ours on POSIX, and the Windows
# build on Wine's own profile functions) and compares what they gave, case by case. A case may
# differ only as its expected/NAME.diff says, and every such difference is explained in
# docs/PROFILE-DIFFERENCES.md.
#
#   compare.sh POSIX_PROBE WINDOWS_PROBE WORK
#
# WINE (the Wine to run the Windows probe with) comes from the environment.
#
# What each read gave and whether each write was taken must be the same. The files as the cases
# leave them are compared line by line, without what is left to each writer's choice: CR LF or
# LF, blank lines, and blanks around names, "=", values and brackets.
set -euo pipefail

posix_probe=$1
windows_probe=$2
work=$3
here=$(cd "$(dirname "$0")" && pwd)
cases=$here/cases
expected=$here/expected

rm -rf "$work"
mkdir -p "$work/posix" "$work/windows" "$work/diff"

"$posix_probe" "$cases" "$work/posix-files" "$work/posix"
"${WINE:-wine}" "$windows_probe" "$(winepath -w "$cases")" "$(winepath -w "$work/windows-files")" \
  "$(winepath -w "$work/windows")"

# The result of a case with the file part in that layout-free form.
comparable() {
  sed -e '/^file as left:/,$ {
      s/\\r\\n$/\\n/
      s/^\( \|\\t\)*//
      s/\( \|\\t\)*\\n$/\\n/
      s/\( \|\\t\)*=\( \|\\t\)*/=/
      s/^\[\( \|\\t\)*/[/
      s/\( \|\\t\)*\]/]/
      /^\\n$/d
    }' "$1"
}

alike=0
known=0
failed=0
for case_file in "$cases"/*.case; do
  name=$(basename "$case_file" .case)
  if [ ! -f "$work/posix/$name.txt" ] || [ ! -f "$work/windows/$name.txt" ]; then
    echo "FAILED $name: a probe wrote no result"
    failed=$((failed + 1))
    continue
  fi
  diff -u --label posix --label windows <(comparable "$work/posix/$name.txt") \
    <(comparable "$work/windows/$name.txt") > "$work/diff/$name.diff" || true
  if [ -f "$expected/$name.diff" ]; then
    if cmp -s "$expected/$name.diff" "$work/diff/$name.diff"; then
      known=$((known + 1))
    else
      echo "FAILED $name: the difference is not the expected one"
      diff -u --label expected --label actual "$expected/$name.diff" "$work/diff/$name.diff" || true
      failed=$((failed + 1))
    fi
  elif [ -s "$work/diff/$name.diff" ]; then
    echo "FAILED $name: the implementations differ"
    cat "$work/diff/$name.diff"
    failed=$((failed + 1))
  else
    alike=$((alike + 1))
  fi
done
for expected_diff in "$expected"/*.diff; do
  [ -e "$expected_diff" ] || continue
  if [ ! -f "$cases/$(basename "$expected_diff" .diff).case" ]; then
    echo "FAILED $(basename "$expected_diff"): an expected difference without its case"
    failed=$((failed + 1))
  fi
done

echo "settings files: $alike cases alike, $known with their known differences, $failed failed"
[ "$failed" -eq 0 ]
