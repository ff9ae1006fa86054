#!/usr/bin/env bash
# The conversion of the kit's texts for Windows: Shift-JIS bytes, CR LF line ends, and a plain
# refusal, with no output, for text that has no Shift-JIS form.
set -euo pipefail
tool=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $1" >&2; failures=$((failures + 1)); }

# expect_bytes NAME INPUT-PRINTF HEX: INPUT converts to exactly the bytes HEX.
expect_bytes() {
  printf '%b' "$2" > "$work/$1.in"
  if ! "$tool" "$work/$1.in" "$work/$1.out"; then fail "$1: refused"; return; fi
  local got
  got=$(od -An -tx1 -v "$work/$1.out" | tr -d ' \n')
  [ "$got" = "$3" ] || fail "$1: got $got, expected $3"
}

expect_bytes kana-and-kanji 'あ手数\n' 82a08ee890940d0a
expect_bytes wave-dash-of-windows '～\n' 81600d0a
expect_bytes crlf-kept 'a\r\nb\r\n' 610d0a620d0a
expect_bytes last-line-without-break 'a\nb' 610d0a62
expect_bytes byte-order-mark-dropped '\xef\xbb\xbfa\n' 610d0a
expect_bytes empty '' ''

# expect_refusal NAME INPUT-PRINTF LINE: refused, naming LINE, with no output file.
expect_refusal() {
  printf '%b' "$2" > "$work/$1.in"
  if "$tool" "$work/$1.in" "$work/$1.out" 2> "$work/$1.err"; then fail "$1: accepted"; fi
  grep -q ":$3:" "$work/$1.err" || fail "$1: the message does not name line $3: $(cat "$work/$1.err")"
  [ ! -e "$work/$1.out" ] || fail "$1: left an output file"
}

expect_refusal no-shift-jis-form 'ok\nespañol\n' 2
expect_refusal not-utf-8 'a\nb\nc\xff\n' 3

"$tool" "$work/missing" "$work/never" 2>/dev/null && fail "a missing input was accepted"

[ "$failures" -eq 0 ] || exit 1
echo "windows text: passed"
