#!/usr/bin/env bash
# The Linux kit's scripts, run by /bin/sh as the program runs them: with the arguments split at
# spaces, the programs' paths read from Quillmere.ini beside the scripts, and stand-in programs
# that write down what they receive.
set -euo pipefail
kit=$1
standins=$(cd "$(dirname "$0")/../standins" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $1" >&2; failures=$((failures + 1)); }

prog="$work/tools/Quillmere"
book="$work/tools/book/Practice Set 1"
mkdir -p "$prog" "$book" "$work/program files"
for script in uwsSaveKif.uws uwsOpenStart.uws uwsEditTxt.uws; do cp "$kit/$script" "$prog/"; done
export QUILL_E2E_LOG="$work/calls.log"

# standin NAME: a program at "$work/program files/NAME" that logs its arguments.
standin() {
  cp "$standins/record-call.sh" "$work/program files/$1"
  chmod +x "$work/program files/$1"
  printf '%s' "$work/program files/$1"
}
board=$(standin "board")
record_editor=$(standin "record editor")
text_editor=$(standin "text editor")

settings() { printf '%b' "$1" > "$prog/Quillmere.ini"; }
plain_settings() {
  settings "[ExePath]\nKifFWin=$record_editor\nKShogi=$board\nUWSC=/bin/sh\nTerapad=$text_editor\n"
}

# run SCRIPT ARGUMENT-TEXT: runs the script as the program does, its argument text split at
# spaces (with every blank, tabs too); the status is left in $status and the error output in
# $work/err.
run() { run_in "$prog" "$@"; }
# run_in FOLDER SCRIPT ARGUMENT-TEXT: the same with the script of another program folder.
run_in() {
  local pieces=()
  read -ra pieces <<< "$3"
  : > "$QUILL_E2E_LOG"
  status=0
  "${script_env[@]}" sh "$1/$2" "${pieces[@]}" 2> "$work/err" || status=$?
}
# The scripts run off any desktop, so that no message of theirs shows, unless a test says so.
script_env=(env -u DISPLAY -u WAYLAND_DISPLAY)

# expect_call LINE: the stand-ins, started in the background, log exactly this one line.
expect_call() {
  for _ in $(seq 1 50); do [ -s "$QUILL_E2E_LOG" ] && break; sleep 0.1; done
  sleep 0.2
  [ "$(cat "$QUILL_E2E_LOG")" = "$1" ] || fail "expected the call '$1', got '$(cat "$QUILL_E2E_LOG")'"
  [ "$status" -eq 0 ] || fail "status $status for '$1': $(cat "$work/err")"
}

# expect_refusal TEXT: the script failed, saying TEXT, and started nothing.
expect_refusal() {
  sleep 0.3
  [ "$status" -ne 0 ] || fail "no failure status where '$1' was expected"
  grep -qF -- "$1" "$work/err" || fail "expected the message '$1', got '$(cat "$work/err")'"
  [ ! -s "$QUILL_E2E_LOG" ] || fail "started '$(cat "$QUILL_E2E_LOG")' while refusing"
}

# ---- uwsOpenStart.uws -------------------------------------------------------------------------
printf 'record' > "$book/p010.kif"
plain_settings
run uwsOpenStart.uws "$book/p010.kif"
expect_call "board [$book/p010.kif]"

# The settings file is read the way the program reads it.
for ini in \
  "[ExePath]\r\nkshogi=$board\r\n" \
  "[exepath]\n  KShogi  =  $board  \n" \
  "[ExePath]\nKShogi=\"$board\"\n" \
  "[Other]\nKShogi=/nowhere\n[ExePath]\nKifFWin=x\nKShogi=$board\n" \
  "; comment\n[ExePath]\nKShogiX=/nowhere\nKShogi=$board\n[Later]\nKShogi=/nowhere\n"; do
  settings "$ini"
  run uwsOpenStart.uws "$book/p010.kif"
  expect_call "board [$book/p010.kif]"
done

settings "[ExePath]\nKShogi=\n"
run uwsOpenStart.uws "$book/p010.kif"
expect_refusal "no board program is set"
rm "$prog/Quillmere.ini"
run uwsOpenStart.uws "$book/p010.kif"
expect_refusal "no board program is set"
settings "[ExePath]\nKShogi=$book/p010.kif\n"
run uwsOpenStart.uws "$book/p010.kif"
expect_refusal "cannot run the board program: $book/p010.kif"
plain_settings
run uwsOpenStart.uws "$book/p404.kif"
expect_refusal "no such record: $book/p404.kif"
run uwsOpenStart.uws ""
expect_refusal "no record path was given"

# A .bod record, which the board program cannot open, is not handed to it: the script says so,
# on its error output and, on a desktop, through the first message program installed.
printf 'diagram' > "$book/p020.bod"
printf 'diagram' > "$book/p021.BOD"
run uwsOpenStart.uws "$book/p020.bod"
expect_refusal "the board program cannot open a .bod record: $book/p020.bod"
desktop="$work/desktop"
mkdir -p "$desktop"
cp "$standins/record-call.sh" "$desktop/notify-send"
chmod +x "$desktop/notify-send"
script_env=(env "PATH=$desktop:$PATH" DISPLAY=:99)
run uwsOpenStart.uws "$book/p021.BOD"
script_env=(env -u DISPLAY -u WAYLAND_DISPLAY)
status_of_bod=$status
status=0
expect_call "notify-send [uwsOpenStart.uws] [将棋盤プログラムは .bod の棋譜を開けません / the board program cannot open a .bod record: $book/p021.BOD]"
[ "$status_of_bod" -ne 0 ] || fail "no failure status for a .bod record"
# A board program that opens .bod records is told so at the top of the script.
bod_board="$work/tools/Quillmere-bod"
mkdir -p "$bod_board"
sed 's/^BOARD_OPENS_BOD=no$/BOARD_OPENS_BOD=yes/' "$prog/uwsOpenStart.uws" > "$bod_board/uwsOpenStart.uws"
cp "$prog/Quillmere.ini" "$bod_board/"
run_in "$bod_board" uwsOpenStart.uws "$book/p020.bod"
expect_call "board [$book/p020.bod]"

# The board program runs on by itself: the script does not wait for it.
slow="$work/program files/slow board"
printf '#!/bin/sh\nsleep 2\nexec "%s" "$@"\n' "$board" > "$slow"
chmod +x "$slow"
settings "[ExePath]\nKShogi=$slow\n"
started=$(date +%s%N)
run uwsOpenStart.uws "$book/p010.kif"
elapsed_ms=$((($(date +%s%N) - started) / 1000000))
[ "$elapsed_ms" -lt 1500 ] || fail "uwsOpenStart.uws waited ${elapsed_ms} ms for the board program"
expect_call "board [$book/p010.kif]"

# ---- uwsEditTxt.uws ---------------------------------------------------------------------------
plain_settings
printf 'notes' > "$book/p010.kif.txt"
encoded=${text_editor// /<spc>}
run uwsEditTxt.uws "$encoded $book/p010.kif.txt"
expect_call "text editor [$book/p010.kif.txt]"

# The editor is argument 1, as the settings window holds it when the button is pressed: an
# editor typed but not yet confirmed with "OK" is the one used, whatever the settings file says,
# and so is the editor handed to the script of a program folder with another name, which has no
# settings file at all.
settings "[ExePath]\nTerapad=/nowhere\n"
run uwsEditTxt.uws "$encoded $book/p010.kif.txt"
expect_call "text editor [$book/p010.kif.txt]"
other="$work/tools/Quillmere-1.0.3"
mkdir -p "$other"
cp "$kit/uwsEditTxt.uws" "$other/"
run_in "$other" uwsEditTxt.uws "$encoded $book/p010.kif.txt"
expect_call "text editor [$book/p010.kif.txt]"

# Every "<spc>" is a space: two in a row are two spaces.
mkdir -p "$work/two  spaces"
cp "$standins/record-call.sh" "$work/two  spaces/editor"
chmod +x "$work/two  spaces/editor"
run uwsEditTxt.uws "$work/two<spc><spc>spaces/editor $book/p010.kif.txt"
expect_call "editor [$book/p010.kif.txt]"

# A book that holds a program, and notes whose name holds two blanks or a tab, handed over with
# no editor (which the program never does): the first piece of the name is no editor to run,
# as what remains names no text file.
plain_book="$work/tools/book/Plain"
mkdir -p "$plain_book"
cp "$standins/record-call.sh" "$plain_book/evil"
chmod +x "$plain_book/evil"
printf 'notes' > "$plain_book/evil  x.kif.txt"
printf 'notes' > "$plain_book/evil	x.kif.txt"
run uwsEditTxt.uws " $plain_book/evil  x.kif.txt"
expect_refusal "no such text file: x.kif.txt"
run uwsEditTxt.uws "$plain_book/evil	x.kif.txt"
expect_refusal "no such text file: x.kif.txt"
run uwsEditTxt.uws "$plain_book/p010.kif.txt"
expect_refusal "no text file path was given"

run uwsEditTxt.uws "$work/missing<spc>editor $book/p010.kif.txt"
expect_refusal "cannot run the text editor: $work/missing editor"
run uwsEditTxt.uws "$encoded $book/p404.kif.txt"
expect_refusal "no such text file: $book/p404.kif.txt"

# ---- uwsSaveKif.uws ---------------------------------------------------------------------------
plain_settings
run uwsSaveKif.uws "$book/p012"
expect_call "record editor [$book/p012.kif]"
record="$book/p012.kif"
[ "$(head -1 "$record")" = "#KIF version=2.0 encoding=UTF-8" ] || fail "the new record has no KIF header"
grep -qxF '表題：p012' "$record" || fail "the new record is not titled p012"
[ "$(grep -c '^| ・ ・ ・ ・ ・ ・ ・ ・ ・|' "$record")" -eq 9 ] || fail "the new record has no empty board"
grep -qxF '後手の持駒：残り全部' "$record" || fail "the defender does not hold the remaining pieces"
iconv -f UTF-8 -t UTF-8 "$record" > /dev/null || fail "the new record is not UTF-8"

# A record with content is never overwritten, and is opened as it is.
printf 'my own record\n' > "$record"
run uwsSaveKif.uws "$book/p012"
expect_call "record editor [$book/p012.kif]"
[ "$(cat "$record")" = "my own record" ] || fail "an existing record was overwritten"

# An empty file holds nothing and is made into a record.
: > "$record"
run uwsSaveKif.uws "$book/p012"
expect_call "record editor [$book/p012.kif]"
grep -qxF '表題：p012' "$record" || fail "an empty record file was not filled"

# Without a record editor the record is still made, and the failure to open it is told.
rm "$record"
settings "[ExePath]\nKifFWin=\n"
run uwsSaveKif.uws "$book/p012"
expect_refusal "no record editor is set"
[ -s "$record" ] || fail "no record was made without a record editor"

# A record that is a link, even to an empty file outside the library, counts as existing:
# nothing is written through it.
plain_settings
: > "$work/outside.kif"
ln -s "$work/outside.kif" "$book/p007.kif"
run uwsSaveKif.uws "$book/p007"
expect_call "record editor [$book/p007.kif]"
[ ! -s "$work/outside.kif" ] || fail "the record skeleton was written through a link"
[ -L "$book/p007.kif" ] || fail "a link standing as a record was replaced"
ln -s "$work/nowhere.kif" "$book/p008.kif"
run uwsSaveKif.uws "$book/p008"
expect_call "record editor [$book/p008.kif]"
[ ! -e "$work/nowhere.kif" ] || fail "a record was made through a link that led nowhere"
rm "$book/p007.kif" "$book/p008.kif"

plain_settings
run uwsSaveKif.uws "$work/tools/book/No Such Book/p001"
expect_refusal "no such book folder: $work/tools/book/No Such Book"
[ ! -e "$work/tools/book/No Such Book" ] || fail "a book folder was made"
run uwsSaveKif.uws ""
expect_refusal "no record name was given"

[ "$failures" -eq 0 ] || exit 1
echo "linux scripts: passed"
