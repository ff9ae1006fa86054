#!/usr/bin/env bash
# The pause after "作成", given input as it comes from the X server: F3 pressed in the pause,
# with every record solved, shows its message after the pause, and the message is answered from
# the keyboard; the title bar's close in a later pause is kept and ends the program after it.
source "$(dirname "$0")/lib.sh"
e2e_need_display "$@"
e2e_library "$1" tools
close_request=$2

# The record editor makes nothing here, so the list stays as it was after each pause.
uwsc=$(e2e_standin "UWSC.exe")
printf '[ExePath]\nKifFWin=\nKShogi=\nUWSC=%s\nTerapad=\n' "$uwsc" > "$PROG/Quillmere.ini"
printf "' script\n" > "$PROG/uwsSaveKif.uws"
book="$BOOKS/詰将棋第1巻"
e2e_typical_book "$book"
save_call="UWSC.exe [$PROG/uwsSaveKif.uws] [$book/p012]"

e2e_start
read -r left top width height <<< "$MAIN_FIRST_PROBLEM"
e2e_click $MAIN_FIRST_PROBLEM
xdotool key ctrl+1
e2e_click "$left" $((top + height)) "$width" "$height"
xdotool key ctrl+1
e2e_expect_attempts "$PROG/Quillmere-study.sqlite" "$(printf '詰将棋第1巻|p010.kif|solved|0\n詰将棋第1巻|p011.kif|solved|0')"

# F3 in the pause: nothing is left to solve, so its message comes once the pause is over.
e2e_type $MAIN_PAGE_NUMBER 012
e2e_click $MAIN_CREATE
xdotool key F3
e2e_expect_call "$save_call"
e2e_wait_window Quillmere
e2e_screenshot 1-all-solved
xdotool key Return
e2e_wait_window_gone Quillmere

# The close in the next pause: the program still runs until the pause is over, then ends.
e2e_click $MAIN_CREATE
"$close_request" "$(xdotool search --onlyvisible --name '^Quillmere.exe 1.0.4$')"
kill -0 "$APP_PID" || { echo "FAIL: the close acted inside the pause" >&2; exit 1; }
for _ in $(seq 1 100); do kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$APP_PID" 2>/dev/null; then
  echo "FAIL: the program did not end after its close in the pause" >&2
  e2e_screenshot close-kept
  exit 1
fi
wait "$APP_PID" || { echo "FAIL: the program ended with status $?" >&2; cat "$WORK/program.out" >&2; exit 1; }
APP_PID=""
[ "$(grep -cxF -- "$save_call" "$QUILL_E2E_LOG")" -eq 2 ] || { echo "FAIL: calls were:" >&2; cat "$QUILL_E2E_LOG" >&2; exit 1; }
echo "pause input: passed"
