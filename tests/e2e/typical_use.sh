#!/usr/bin/env bash
# One typical session from start-up to "次": a record made through the save script, its page
# image opened, solving started, its companion text file made from the template and opened,
# then the next record. Every argument that reached a stand-in and every file made is checked.
source "$(dirname "$0")/lib.sh"
e2e_need_display "$@"
# The script runner's command line is not quoted, so a space in the program or book folder
# would split its arguments, as it does for the script runner on the desktop the scripts come
# from; the road is taken with folders without spaces, and an editor path with them.
e2e_library "$1" tools

uwsc=$(e2e_standin "UWSC.exe" script-runner)
terapad=$(e2e_standin "TeraPad.exe")
printf '[ExePath]\nKifFWin=\nKShogi=\nUWSC=%s\nTerapad=%s\n' "$uwsc" "$terapad" > "$PROG/Quillmere.ini"
printf '出典：\n手数：\n' > "$PROG/Template.txt"
for script in uwsSaveKif.uws uwsOpenStart.uws uwsEditTxt.uws; do printf "' script\n" > "$PROG/$script"; done

book="$BOOKS/詰将棋第1巻"
e2e_typical_book "$book"

e2e_start
e2e_screenshot 1-started

# Create: page 012 is made by the stand-in and selected after the wait.
e2e_type $MAIN_PAGE_NUMBER 012
e2e_click $MAIN_CREATE
e2e_expect_call "UWSC.exe [$PROG/uwsSaveKif.uws] [$book/p012]"
e2e_wait_file "$book/p012.kif"

# The page image: p012.jpg is missing, so the page before opens. The click lands during the
# pause after "作成" and is acted on after it, when the new record is listed and selected.
e2e_click $MAIN_PAGE_IMAGE
e2e_expect_call "xdg-open [$book/p011.jpg]"
e2e_screenshot 2-created

# Start solving the selected record, which is the new one.
e2e_click $MAIN_START
e2e_expect_call "UWSC.exe [$PROG/uwsOpenStart.uws] [$book/p012.kif]"

# The companion text file, made from the template; the editor path travels with <spc>.
e2e_click $MAIN_COMPANION
encoded=${terapad// /<spc>}
e2e_expect_call "UWSC.exe [$PROG/uwsEditTxt.uws] [$encoded] [$book/p012.kif.txt]"
cmp "$PROG/Template.txt" "$book/p012.kif.txt"

# Back to the first record, then next: p011.kif is selected, and starting it hands it over.
e2e_click $MAIN_FIRST_PROBLEM
e2e_click $MAIN_NEXT
e2e_click $MAIN_START
e2e_expect_call "UWSC.exe [$PROG/uwsOpenStart.uws] [$book/p011.kif]"
e2e_screenshot 3-next

# Solved, from the keyboard: the attempt is kept, timed from the start just made.
xdotool key ctrl+1
e2e_expect_attempts "$PROG/Quillmere-study.sqlite" "詰将棋第1巻|p011.kif|solved|1"
e2e_screenshot 4-marked

[ "$(wc -l < "$QUILL_E2E_LOG")" -eq 5 ] || { echo "FAIL: unexpected calls:" >&2; cat "$QUILL_E2E_LOG" >&2; exit 1; }
echo "typical use: passed"
