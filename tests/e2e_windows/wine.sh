#!/usr/bin/env bash
# Shared steps of the Windows end-to-end tests, on top of those of the Linux ones (../e2e/lib.sh):
# a fresh Wine prefix in the Japanese code page, a library on its drive C:, the program started
# under Wine, and stand-in outside programs that are Windows programs themselves.
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/lib.sh"

# wine_prefix: makes $WORK (removed at exit) and a Wine prefix in it; $DRIVE_C is its drive C:.
wine_prefix() {
  WORK=$(mktemp -d)
  trap 'e2e_stop; wineserver -k 2>/dev/null || true; rm -rf "$WORK" "${E2E_XAUTH:-}"' EXIT
  export WINEPREFIX="$WORK/prefix" WINEDEBUG=-all
  export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
  export LOCPATH=${LOCALES:?LOCALES names the folder of the Japanese locale} LANG=ja_JP.UTF-8
  export LC_ALL=ja_JP.UTF-8
  unset WINEPATH
  "${WINE:-wine}" wineboot -i > "$WORK/wineboot.log" 2>&1 ||
    { cat "$WORK/wineboot.log" >&2; echo "FAIL: no Wine prefix" >&2; exit 1; }
  DRIVE_C="$WINEPREFIX/drive_c"
  export QUILL_E2E_LOG="$WORK/calls.log"
  : > "$QUILL_E2E_LOG"
}

# wine_library PROGRAM_FOLDER: the built program folder (the program, its DLLs and plugins and
# its kit) copied to "C:\My Tools\Quillmere" ($PROG; $WIN_PROG is its Windows path), with the
# book root "C:\My Tools\book" ($BOOKS, $WIN_BOOKS) beside it.
wine_library() {
  PROG="$DRIVE_C/My Tools/Quillmere"
  BOOKS="$DRIVE_C/My Tools/book"
  WIN_PROG='C:\My Tools\Quillmere'
  WIN_BOOKS='C:\My Tools\book'
  mkdir -p "$PROG" "$BOOKS"
  cp -r "$1"/. "$PROG/"
}

# wine_standin RECORDER WINDOWS_PATH: the recorder copied to that path of drive C:.
wine_standin() {
  local unix_path="$DRIVE_C/${2#C:\\}"
  unix_path=${unix_path//\\//}
  mkdir -p "$(dirname "$unix_path")"
  cp "$1" "$unix_path"
}

# wine_open_with WINDOWS_PROGRAM EXTENSION: the program opens files of that type.
wine_open_with() {
  "${WINE:-wine}" reg add "HKCR\\.$2" /ve /d "quillmere.test.$2" /f > /dev/null 2>&1
  "${WINE:-wine}" reg add "HKCR\\quillmere.test.$2\\shell\\open\\command" /ve \
    /d "\"$1\" \"%1\"" /f > /dev/null 2>&1
}

e2e_start() {
  (cd "$PROG" && "${WINE:-wine}" "$PROG/Quillmere.exe" > "$WORK/program.out" 2>&1) &
  APP_PID=$!
  e2e_wait_window "Quillmere.exe 1.0.4"
  # Without a window manager Wine keeps room for the title bar above the client area.
  local X Y WINDOW SCREEN
  eval "$(xdotool search --onlyvisible --name '^Quillmere.exe 1.0.4$' getwindowgeometry --shell | head -n 5)"
  E2E_LEFT=$X
  E2E_TOP=$Y
}

e2e_stop() {
  if [ -n "$APP_PID" ] && kill -0 "$APP_PID" 2>/dev/null; then
    wineserver -k 2>/dev/null || true
    wait "$APP_PID" 2>/dev/null || true
  fi
  APP_PID=""
}
