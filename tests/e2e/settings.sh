#!/usr/bin/env bash
# The settings window in the real program: "起動" starts the typed program with no arguments,
# "OK" writes the settings file, and after a restart the same paths are read back and written
# again byte for byte.
source "$(dirname "$0")/lib.sh"
e2e_need_display "$@"
e2e_library "$1"

runner=$(e2e_standin "uwsc runner")
editor=$(e2e_standin "tera pad")

e2e_start
e2e_click $MAIN_SETTINGS
e2e_wait_window "設定"
e2e_type $SETTINGS_UWSC_BOX "$runner"
e2e_type $SETTINGS_TERAPAD_BOX "$editor"
e2e_click $SETTINGS_RUN_UWSC
e2e_expect_call "uwsc runner"
e2e_screenshot settings
e2e_click $SETTINGS_OK
e2e_wait_file "$PROG/Quillmere.ini"
grep -qxF "UWSC=$runner" "$PROG/Quillmere.ini"
grep -qxF "Terapad=$editor" "$PROG/Quillmere.ini"
cp "$PROG/Quillmere.ini" "$WORK/first.ini"
e2e_stop

# A new run reads the file; OK writes back exactly what was read.
e2e_start
e2e_click $MAIN_SETTINGS
e2e_wait_window "設定"
e2e_click $SETTINGS_OK
e2e_wait_window_gone "設定"
cmp "$WORK/first.ini" "$PROG/Quillmere.ini"
echo "settings: passed"
