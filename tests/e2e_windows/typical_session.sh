#!/usr/bin/env bash
# The Windows program under Wine, one typical session: "+1" and "作成" (the record made through
# the save script), the page image opened, solving started, the companion text file made from
# the template and opened, "次", records marked from the keyboard and the record menu, the book's
# results with the question of "新しい周回" and "CSV出力" read back, a program tried and the
# settings saved. The stand-ins are
# Windows programs that write down their arguments as the Windows C runtime hands them over, so
# every command line is checked as a Windows program receives it: the script runner's line is
# not quoted, so the program folder and the book folder, which hold spaces here, arrive in
# pieces, as they do for the real script runner, whose scripts put them together again.
#
#   typical_session.sh PROGRAM_FOLDER ARGV_RECORDER
source "$(dirname "$0")/wine.sh"
e2e_need_display "$@"
wine_prefix
wine_library "$1"
recorder=$2

wine_standin "$recorder" 'C:\Tools\UWSC.exe'
wine_standin "$recorder" 'C:\Program Files\TeraPad\TeraPad.exe'
wine_standin "$recorder" 'C:\Program Files\棋譜\KifuW.exe'
wine_standin "$recorder" 'C:\Tools\viewer.exe'
wine_open_with 'C:\Tools\viewer.exe' jpg

# The settings file as a Japanese Windows keeps it: Shift-JIS with CR LF.
printf '[ExePath]\r\nKifFWin=C:\\Program Files\\棋譜\\KifuW.exe\r\nKShogi=\r\nUWSC=C:\\Tools\\UWSC.exe\r\nTerapad=C:\\Program Files\\TeraPad\\TeraPad.exe\r\n' |
  iconv -f UTF-8 -t CP932 > "$PROG/Quillmere.ini"
cp "$PROG/Quillmere.ini" "$WORK/first.ini"

book="$BOOKS/詰将棋 第1巻"
win_book="$WIN_BOOKS\\詰将棋 第1巻"
e2e_typical_book "$book"

e2e_start
e2e_screenshot 1-started

# "+1" on 011, then "作成": page 012 is made by the stand-in and selected after the wait.
e2e_type $MAIN_PAGE_NUMBER 011
e2e_click $MAIN_PLUS_ONE
e2e_click $MAIN_CREATE
e2e_expect_call "UWSC.exe [C:\\My] [Tools\\Quillmere\\uwsSaveKif.uws] [C:\\My] [Tools\\book\\詰将棋] [第1巻\\p012]"
e2e_wait_file "$book/p012.kif"

# The page image: p012.jpg is missing, so the page before opens, as one argument. The click
# lands during the pause after "作成" and is acted on after it, when the new record is selected.
e2e_click $MAIN_PAGE_IMAGE
e2e_expect_call "viewer.exe [$win_book\\p011.jpg]"
e2e_screenshot 2-created

# Start solving the selected record, which is the new one.
e2e_click $MAIN_START
e2e_expect_call "UWSC.exe [C:\\My] [Tools\\Quillmere\\uwsOpenStart.uws] [C:\\My] [Tools\\book\\詰将棋] [第1巻\\p012.kif]"

# The companion text file, made from the template; the editor's path travels with <spc>.
e2e_click $MAIN_COMPANION
e2e_expect_call "UWSC.exe [C:\\My] [Tools\\Quillmere\\uwsEditTxt.uws] [C:\\Program<spc>Files\\TeraPad\\TeraPad.exe] [C:\\My] [Tools\\book\\詰将棋] [第1巻\\p012.kif.txt]"
cmp "$PROG/Template.txt" "$book/p012.kif.txt"

# Back to the first record, then "次": p011.kif is selected, and starting it hands it over.
e2e_click $MAIN_FIRST_PROBLEM
e2e_click $MAIN_NEXT
e2e_click $MAIN_START
e2e_expect_call "UWSC.exe [C:\\My] [Tools\\Quillmere\\uwsOpenStart.uws] [C:\\My] [Tools\\book\\詰将棋] [第1巻\\p011.kif]"
e2e_screenshot 3-next

# Solved, from the keyboard: the attempt is kept, with the book's Japanese name whole.
xdotool key ctrl+1
e2e_expect_attempts "$PROG/Quillmere-study.sqlite" "詰将棋 第1巻|p011.kif|solved|1"

# ---- The record menu with the mouse, and the book's results ------------------------------------
# A right click on p012, the third row, opens its menu: "解けなかった" is its second entry, "成績"
# its last. "新しい周回" (bottom left) asks first, and Enter gives the default, "やめる";
# "CSV出力" (bottom right) saves "<book>.csv" in the documents folder, which is read back.
read -r list_left list_top list_width _ <<<"$MAIN_FIRST_PROBLEM"
row_menu() { xdotool mousemove $((E2E_LEFT + list_left + list_width / 2)) $((E2E_TOP + list_top + 34)) click 3 sleep 0.5 key "$@"; }
row_menu Down Down Return
e2e_expect_attempts "$PROG/Quillmere-study.sqlite" "詰将棋 第1巻|p011.kif|solved|1
詰将棋 第1巻|p012.kif|failed|1"
row_menu Up Return
e2e_wait_window "詰将棋 第1巻 - 成績"
e2e_screenshot 4-results
eval "$(xdotool search --onlyvisible --name ' - 成績$' getwindowgeometry --shell | head -n 5)"
xdotool mousemove $((X + 30)) $((Y + HEIGHT - 22)) click 1
e2e_wait_window "新しい周回"
e2e_screenshot 5-new-cycle-question
xdotool key Return
e2e_wait_window_gone "新しい周回"
[ "$(sqlite3 "$PROG/Quillmere-study.sqlite" "SELECT COUNT(*) FROM cycles")" -le 1 ] ||
  { echo "FAIL: the default answer started a new cycle" >&2; exit 1; }
# A CSV left by an earlier run in the same Wine prefix would make the dialog ask to replace it.
csv="$DRIVE_C/users/$(id -un)/Documents/詰将棋 第1巻.csv"
rm -f "$csv"
xdotool mousemove $((X + WIDTH - 30)) $((Y + HEIGHT - 22)) click 1
e2e_wait_window "CSV出力"
e2e_screenshot 6-save-dialog
xdotool key Return
e2e_wait_file "$csv"
e2e_screenshot 7-csv-written
[ "$(tr -d '\r' < "$csv" | sed 1d | cut -d, -f1,2,6)" = "詰将棋 第1巻,p011.kif,solved
詰将棋 第1巻,p012.kif,failed" ] || { echo "FAIL: the CSV holds:" >&2; cat "$csv" >&2; exit 1; }
xdotool key Escape
e2e_wait_window_gone "詰将棋 第1巻 - 成績"

# The settings window: "OK" writes back what was read, byte for byte, in the Japanese code page.
e2e_click $MAIN_SETTINGS
e2e_wait_window "設定"
e2e_screenshot 8-settings
e2e_click $SETTINGS_OK
e2e_wait_window_gone "設定"
cmp "$WORK/first.ini" "$PROG/Quillmere.ini"

# The record editor tried from the main window: its path alone is the command line, and the
# program behind it (in a folder with a space) starts with no arguments.
e2e_click $MAIN_RUN_KIFUW
e2e_expect_call "KifuW.exe"

[ "$(wc -l < "$QUILL_E2E_LOG")" -eq 6 ] || { echo "FAIL: unexpected calls:" >&2; cat "$QUILL_E2E_LOG" >&2; exit 1; }
echo "Windows typical use: passed"
