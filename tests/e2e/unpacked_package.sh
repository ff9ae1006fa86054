#!/usr/bin/env bash
# The portable package as a user gets it: made with cpack, unpacked into a throwaway folder, a
# book added, and the real program started from the unpacked program folder. A whole session
# goes through its windows: the four programs set in the settings window, with /bin/sh as the
# script runner so that the packaged sh scripts do the work; a record made, its page image
# opened, solving started, its companion text file made from the packaged template, the
# scripts and the template opened for editing. Every argument the stand-in programs receive
# and every file made is checked.
source "$(dirname "$0")/lib.sh"
e2e_need_display "$@"
cpack_config=$1
source_kit="$E2E_SOURCE/kit"

WORK=$(mktemp -d)
trap 'e2e_stop; rm -rf "$WORK" "${E2E_XAUTH:-}"' EXIT
export E2E_SCREENSHOTS=${E2E_SCREENSHOTS:-$(dirname "$cpack_config")/e2e-screenshots/package}

# ---- The package and its layout ---------------------------------------------------------------
cpack --config "$cpack_config" -B "$WORK/pack" > "$WORK/cpack.log" 2>&1 ||
  { cat "$WORK/cpack.log" >&2; exit 1; }
archive="$WORK/pack/Quillmere-1.0.4-Linux.tar.gz"
[ -f "$archive" ] || { echo "FAIL: no $archive" >&2; ls "$WORK/pack" >&2; exit 1; }
mkdir "$WORK/unpacked"
tar -xzf "$archive" -C "$WORK/unpacked"
top="$WORK/unpacked/Quillmere-1.0.4-Linux"

layout=$(cd "$WORK/unpacked" && find . -mindepth 1 | sort)
expected=$(sort <<'TREE'
./Quillmere-1.0.4-Linux
./Quillmere-1.0.4-Linux/README-はじめに.txt
./Quillmere-1.0.4-Linux/LICENSE
./Quillmere-1.0.4-Linux/THIRD-PARTY-NOTICES.txt
./Quillmere-1.0.4-Linux/book
./Quillmere-1.0.4-Linux/Quillmere
./Quillmere-1.0.4-Linux/Quillmere/Quillmere
./Quillmere-1.0.4-Linux/Quillmere/Template.txt
./Quillmere-1.0.4-Linux/Quillmere/start.wav
./Quillmere-1.0.4-Linux/Quillmere/uwsEditTxt.uws
./Quillmere-1.0.4-Linux/Quillmere/uwsOpenStart.uws
./Quillmere-1.0.4-Linux/Quillmere/uwsSaveKif.uws
TREE
)
[ "$layout" = "$expected" ] || { echo "FAIL: the package holds:" >&2; echo "$layout" >&2; exit 1; }
[ -x "$top/Quillmere/Quillmere" ] || { echo "FAIL: the program is not executable" >&2; exit 1; }
cmp "$source_kit/Template.txt" "$top/Quillmere/Template.txt"
for script in uwsSaveKif.uws uwsOpenStart.uws uwsEditTxt.uws; do
  cmp "$source_kit/linux/$script" "$top/Quillmere/$script"
done
[ "$(head -c 4 "$top/Quillmere/start.wav")" = RIFF ] || { echo "FAIL: start.wav is no wave file" >&2; exit 1; }
grep -qF "1.0.4" "$top/README-はじめに.txt" || { echo "FAIL: the how-to text has no version" >&2; exit 1; }
grep -qF "@QUILLMERE" "$top/README-はじめに.txt" && { echo "FAIL: the how-to text has a blank" >&2; exit 1; }
# The licence, and the notices of the libraries the program uses.
cmp "$E2E_SOURCE/LICENSE" "$top/LICENSE"
grep -q "@" "$top/THIRD-PARTY-NOTICES.txt" && { echo "FAIL: the notices have a blank" >&2; exit 1; }
for work in "Qt 6" "SQLite" "SDL 2"; do
  grep -qF "$work" "$top/THIRD-PARTY-NOTICES.txt" || { echo "FAIL: the notices name no $work" >&2; exit 1; }
done

# ---- A book and the outside programs -----------------------------------------------------------
PROG="$top/Quillmere"
BOOKS="$top/book"
book="$BOOKS/やさしい 三手詰"
mkdir -p "$book" "$WORK/bin"
printf 'record\n' > "$book/p001.kif"
printf 'image' > "$book/p001.jpg"
printf 'image' > "$book/p002.jpg"

export QUILL_E2E_LOG="$WORK/calls.log"
: > "$QUILL_E2E_LOG"
ln -s "$STANDINS/record-call.sh" "$WORK/bin/xdg-open"
export PATH="$WORK/bin:$PATH"
export SDL_AUDIODRIVER=dummy
record_editor=$(e2e_standin "record editor")
board=$(e2e_standin "board")
text_editor=$(e2e_standin "text editor")

e2e_start
e2e_screenshot 1-started

# ---- The settings window: the four paths typed in and kept by "OK" ------------------------------
SETTINGS_KSHOGI_BOX="24 100 513 18"
e2e_click $MAIN_SETTINGS
e2e_wait_window "設定"
e2e_type $SETTINGS_KIFUW_BOX "$record_editor"
e2e_type $SETTINGS_KSHOGI_BOX "$board"
e2e_type $SETTINGS_UWSC_BOX /bin/sh
e2e_type $SETTINGS_TERAPAD_BOX "$text_editor"
e2e_screenshot 2-settings
e2e_click $SETTINGS_OK
e2e_wait_file "$PROG/Quillmere.ini"
for line in "KifFWin=$record_editor" "KShogi=$board" "UWSC=/bin/sh" "Terapad=$text_editor"; do
  grep -qxF "$line" "$PROG/Quillmere.ini" || { echo "FAIL: no '$line' in Quillmere.ini" >&2; exit 1; }
done

# ---- "作成": the packaged script makes the record and opens it in the record editor --------------
e2e_type $MAIN_PAGE_NUMBER 002
e2e_click $MAIN_CREATE
e2e_expect_call "record editor [$book/p002.kif]"
grep -qxF '表題：p002' "$book/p002.kif" || { echo "FAIL: p002.kif is not a new record" >&2; exit 1; }
cmp <(printf 'record\n') "$book/p001.kif"

# The new record is selected after the pause: its page image opens, and solving starts on it.
# The click lands during the pause and is acted on after it.
e2e_click $MAIN_PAGE_IMAGE
e2e_expect_call "xdg-open [$book/p002.jpg]"
e2e_screenshot 3-created
e2e_click $MAIN_START
e2e_expect_call "board [$book/p002.kif]"

# ---- The companion text file, made from the packaged template and opened in the editor ----------
e2e_click $MAIN_COMPANION
e2e_expect_call "text editor [$book/p002.kif.txt]"
cmp "$PROG/Template.txt" "$book/p002.kif.txt"
e2e_screenshot 4-companion

# ---- The tool and editing buttons -----------------------------------------------------------------
MAIN_EDIT_SAVE_SCRIPT=$(e2e_place main_window/frmMain.ui cmdEditUws_0)
MAIN_OPEN_TEMPLATE=$(e2e_place main_window/frmMain.ui cmdOpenTemplateFile)
e2e_click $MAIN_RUN_KIFUW
e2e_expect_call "record editor"
e2e_click $MAIN_EDIT_SAVE_SCRIPT
e2e_expect_call "text editor [$PROG/uwsSaveKif.uws]"
e2e_click $MAIN_OPEN_TEMPLATE
e2e_expect_call "text editor [$PROG/Template.txt]"

# ---- "作成" again for the same page: the record is kept as it is --------------------------------
printf 'solved\n' > "$book/p002.kif"
e2e_click $MAIN_CREATE

# The record editor is opened on the kept record after the pause: the eighth call.
for _ in $(seq 1 50); do [ "$(wc -l < "$QUILL_E2E_LOG")" -ge 8 ] && break; sleep 0.1; done
sleep 0.5
[ "$(cat "$book/p002.kif")" = solved ] || { echo "FAIL: an existing record was overwritten" >&2; exit 1; }
e2e_screenshot 5-again
calls=$(wc -l < "$QUILL_E2E_LOG")
if [ "$calls" -ne 8 ] || [ "$(tail -1 "$QUILL_E2E_LOG")" != "record editor [$book/p002.kif]" ]; then
  echo "FAIL: $calls calls:" >&2
  cat "$QUILL_E2E_LOG" >&2
  exit 1
fi
echo "package: passed"
