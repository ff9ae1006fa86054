#!/usr/bin/env bash
# Shared steps of the end-to-end tests: a throwaway library (a program folder with the built
# program and a `book` folder beside it), the program started on a virtual display, and clicks
# on its controls by their designed places.
set -euo pipefail

E2E_SOURCE=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
STANDINS="$E2E_SOURCE/tests/standins"

# Re-runs the calling test on its own virtual display when there is none. Tests run side by side
# look for a free display from different numbers, so that two never take the same one at once.
e2e_need_display() {
  if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -n $((100 + $$ % 5000)) -s "-screen 0 1024x768x24" "$0" "$@"
  fi
  unset QT_QPA_PLATFORM
  # On a busy machine the server may take a moment more before it answers a program.
  local give_up=$((SECONDS + 30))
  until xdpyinfo >/dev/null 2>&1; do
    if [ "$SECONDS" -ge "$give_up" ]; then
      echo "FAIL: the virtual display $DISPLAY does not answer" >&2
      exit 1
    fi
    sleep 0.2
  done
  # The programs are given a copy of the display's key of their own: the key xvfb-run keeps in a
  # temporary folder has once been seen gone while a test still ran.
  if [ -n "${XAUTHORITY:-}" ] && [ -f "$XAUTHORITY" ]; then
    E2E_XAUTH=$(mktemp)
    cp "$XAUTHORITY" "$E2E_XAUTH"
    export XAUTHORITY=$E2E_XAUTH
  fi
}

# e2e_library PROGRAM [FOLDER]: makes $WORK (removed at exit), with the program copied into
# "$WORK/FOLDER/Quillmere" ($PROG) and the book root "$WORK/FOLDER/book" ($BOOKS); FOLDER is
# "my tools" unless given.
e2e_library() {
  WORK=$(mktemp -d)
  trap 'e2e_stop; rm -rf "$WORK" "${E2E_XAUTH:-}"' EXIT
  PROG="$WORK/${2:-my tools}/Quillmere"
  BOOKS="$WORK/${2:-my tools}/book"
  mkdir -p "$PROG" "$BOOKS" "$WORK/bin"
  cp "$1" "$PROG/"
  export QUILL_E2E_LOG="$WORK/calls.log"
  : > "$QUILL_E2E_LOG"
  # Stand-in opener, found first on PATH.
  ln -s "$STANDINS/record-call.sh" "$WORK/bin/xdg-open"
  export PATH="$WORK/bin:$PATH"
  export SDL_AUDIODRIVER=dummy
}

# e2e_standin NAME [KIND]: a stand-in program at "$WORK/program files/NAME" (a path with spaces);
# KIND is record-call (the default) or script-runner. Prints its path.
e2e_standin() {
  local dir="$WORK/program files"
  mkdir -p "$dir"
  cat "$STANDINS/record-call.sh" > "$dir/$1"
  if [ "${2:-}" = script-runner ]; then cat "$STANDINS/script-runner.sh" >> "$dir/$1"; fi
  chmod +x "$dir"/*
  printf '%s\n' "$dir/$1"
}

# e2e_typical_book FOLDER: a book of two records, p010 and p011, with the page image of p011.
e2e_typical_book() {
  mkdir -p "$1"
  printf 'record' > "$1/p010.kif"
  printf 'record' > "$1/p011.kif"
  printf 'image' > "$1/p011.jpg"
}

APP_PID=""
e2e_start() {
  "$PROG/Quillmere" > "$WORK/program.out" 2>&1 &
  APP_PID=$!
  e2e_wait_window "Quillmere.exe 1.0.4"
}

e2e_stop() {
  if [ -n "$APP_PID" ] && kill -0 "$APP_PID" 2>/dev/null; then
    kill "$APP_PID" 2>/dev/null || true
    wait "$APP_PID" 2>/dev/null || true
  fi
  APP_PID=""
}

# Waits until a window of that exact title is mapped: up to a minute, as a program built with
# the sanitizers starts slowly on a busy machine.
e2e_wait_window() {
  local give_up=$((SECONDS + 60))
  while [ "$SECONDS" -lt "$give_up" ]; do
    if xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; then sleep 0.3; return 0; fi
    sleep 0.1
  done
  echo "FAIL: no window titled '$1'" >&2
  e2e_screenshot "no-window" || true
  cat "$WORK/program.out" >&2 || true
  return 1
}

# Waits until no window of that exact title is shown any more.
e2e_wait_window_gone() {
  for _ in $(seq 1 100); do
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  echo "FAIL: the window titled '$1' stayed" >&2
  e2e_screenshot "window-stayed" || true
  return 1
}

# e2e_click LEFT TOP WIDTH HEIGHT: clicks the middle of a control placed at those client
# coordinates of a window whose client area starts at ($E2E_LEFT, $E2E_TOP): (50, 0) for both
# windows on a display without a window manager, unless the test measured otherwise.
E2E_LEFT=50
E2E_TOP=0
e2e_click() {
  xdotool mousemove $((E2E_LEFT + $1 + $3 / 2)) $((E2E_TOP + $2 + $4 / 2)) click 1
  sleep 0.4
}

# e2e_type LEFT TOP WIDTH HEIGHT TEXT: replaces the text of a box.
e2e_type() {
  e2e_click "$1" "$2" "$3" "$4"
  xdotool key ctrl+a
  xdotool type --delay 20 "$5"
  sleep 0.2
}

# e2e_expect_attempts LOG ROWS: waits up to ten seconds for the study log LOG to hold exactly
# ROWS, one attempt a line as "book|record|result|timed" (timed 1 when it has its seconds).
e2e_expect_attempts() {
  local got=""
  for _ in $(seq 1 100); do
    got=$(sqlite3 "$1" "SELECT book, record, result, seconds IS NOT NULL FROM attempts ORDER BY marked, record" 2>/dev/null || true)
    [ "$got" = "$2" ] && return 0
    sleep 0.1
  done
  printf 'FAIL: the study log holds\n%s\ninstead of\n%s\n' "$got" "$2" >&2
  exit 1
}

# Waits up to ten seconds for a file to exist.
e2e_wait_file() {
  for _ in $(seq 1 100); do [ -e "$1" ] && return 0; sleep 0.1; done
  echo "FAIL: $1 was not made" >&2
  return 1
}

# e2e_expect_call LINE: waits up to ten seconds for that exact line in the call log.
e2e_expect_call() {
  for _ in $(seq 1 100); do
    grep -qxF -- "$1" "$QUILL_E2E_LOG" && return 0
    sleep 0.1
  done
  echo "FAIL: expected the call: $1" >&2
  echo "calls were:" >&2
  cat "$QUILL_E2E_LOG" >&2
  return 1
}

e2e_screenshot() {
  mkdir -p "${E2E_SCREENSHOTS:-$WORK/screens}"
  import -window root "${E2E_SCREENSHOTS:-$WORK/screens}/$1.png"
}

# e2e_place FORM CONTROL: where a window's form (main_window/frmMain.ui or
# settings_window/frmIni.ui) puts a control: left, top, width and height in the window's client
# area, a control inside a frame offset by the frame's place. The forms are the one table of the
# designed places.
e2e_place() {
  awk -v want="$2" '
    /<widget / {
      depth++
      match($0, /name="[^"]*"/)
      name[depth] = substr($0, RSTART + 6, RLENGTH - 7)
      left[depth] = 0
      top[depth] = 0
    }
    /<property name="geometry">/ && depth > 1 {
      gsub(/<[^>]*>/, " ")
      left[depth] = $1
      top[depth] = $2
      if (name[depth] == want) {
        x = 0
        y = 0
        for (i = 2; i <= depth; i++) { x += left[i]; y += top[i] }
        print x, y, $3, $4
        found = 1
        exit
      }
    }
    /<\/widget>/ { depth-- }
    END { if (!found) { print "FAIL: no control " want > "/dev/stderr"; exit 1 } }
  ' "$E2E_SOURCE/$1"
}

# The controls the tests click, by their designed names.
MAIN_PAGE_NUMBER=$(e2e_place main_window/frmMain.ui txtPageN)
MAIN_PLUS_ONE=$(e2e_place main_window/frmMain.ui cmdInc)
MAIN_CREATE=$(e2e_place main_window/frmMain.ui cmdUWSC_0)
MAIN_NEXT=$(e2e_place main_window/frmMain.ui cmdNext)
MAIN_START=$(e2e_place main_window/frmMain.ui cmdUWSC_1)
MAIN_COMPANION=$(e2e_place main_window/frmMain.ui cmdUWSC_2)
MAIN_PAGE_IMAGE=$(e2e_place main_window/frmMain.ui cmdOpenBook)
MAIN_SETTINGS=$(e2e_place main_window/frmMain.ui cmdOpenIniWin)
MAIN_OPEN_FOLDER=$(e2e_place main_window/frmMain.ui cmdOpenFolder)
MAIN_RUN_KIFUW=$(e2e_place main_window/frmMain.ui cmdRunKifuFWin_0)
# The first entry of the record list: the list's top row, one line high.
read -r list_left list_top list_width _ < <(e2e_place main_window/frmMain.ui lstFile)
MAIN_FIRST_PROBLEM="$list_left $list_top $list_width 16"
SETTINGS_OK=$(e2e_place settings_window/frmIni.ui cmdOK)
SETTINGS_UWSC_BOX=$(e2e_place settings_window/frmIni.ui txtUWSC)
SETTINGS_TERAPAD_BOX=$(e2e_place settings_window/frmIni.ui txtTerapad)
SETTINGS_KIFUW_BOX=$(e2e_place settings_window/frmIni.ui txtKifFWin)
SETTINGS_RUN_UWSC=$(e2e_place settings_window/frmIni.ui cmdRunExe_2)
