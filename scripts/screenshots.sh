#!/usr/bin/env bash
# Takes the README's pictures from the real program, never drawn: the sample library on a
# virtual display, and the main window and the settings window each captured on its own.
# Writes docs/images/main-window.png and docs/images/settings-window.png, and the pictures of
# the preview and the study windows beside them (today's reviews from a log of several days). With SCALES (for
# example SCALES="1.5 2") it also captures the windows at those display scales into
# build/screenshots/, to check that the layout scales whole and no caption is cut.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
library="$root/build/screenshot-library"
shots="$root/build/screenshots"
title="Quillmere.exe 1.0.4"

# capture SCALE: starts the program at that display scale and captures both windows into
# $shots as main-SCALE.png and settings-SCALE.png.
capture() {
  local scale=$1 app window
  QT_SCALE_FACTOR=$scale "$library/Quillmere/Quillmere" > "$shots/program-$scale.log" 2>&1 &
  app=$!
  window=$(wait_window "^$title\$")
  sleep 0.5
  import -window "$window" "$shots/main-$scale.png"
  # The settings button, at its designed place: the window stands at (50, 0), both scaled.
  xdotool mousemove "$(awk -v s="$scale" 'BEGIN { printf "%d", (50 + 184 + 22) * s }')" \
    "$(awk -v s="$scale" 'BEGIN { printf "%d", 8 * s }')" click 1
  window=$(wait_window "^設定\$")
  sleep 0.5
  import -window "$window" "$shots/settings-$scale.png"
  kill "$app"
  wait "$app" 2>/dev/null || true
}

# capture_preview SCALE: starts the program at that display scale, rests the mouse on the third
# record of the first book until its preview shows, and captures the window with the preview
# beside its list into $shots as preview-SCALE.png.
capture_preview() {
  local scale=$1 app window
  QT_SCALE_FACTOR=$scale "$library/Quillmere/Quillmere" > "$shots/preview-$scale.log" 2>&1 &
  app=$!
  window=$(wait_window "^$title\$")
  sleep 0.5
  # Tooltips, and so the preview, show for the active window only; there is no window manager
  # here to make it active.
  xdotool windowfocus --sync "$window"
  # The problem list stands at (4, 168) in the window, the window at (50, 0), both scaled.
  xdotool mousemove "$(awk -v s="$scale" 'BEGIN { printf "%d", (50 + 40) * s }')" \
    "$(awk -v s="$scale" 'BEGIN { printf "%d", (168 + 35) * s }')"
  sleep 0.3
  xdotool mousemove_relative 1 0
  sleep 1.5
  import -window root -crop "$(awk -v s="$scale" 'BEGIN { printf "%dx%d+%d+%d", 720 * s, 580 * s, 40 * s, 0 }')" \
    +repage "$shots/preview-$scale.png"
  kill "$app"
  wait "$app" 2>/dev/null || true
}

# capture_study SCALE: with a fresh study log, marks the first record solved twice and the
# second failed from the keyboard, rests the mouse on the first until its preview shows its
# history, and captures the window and the preview into $shots as study-SCALE.png.
capture_study() {
  local scale=$1 app window
  rm -f "$library/Quillmere/Quillmere-study.sqlite"
  QT_SCALE_FACTOR=$scale "$library/Quillmere/Quillmere" > "$shots/study-$scale.log" 2>&1 &
  app=$!
  window=$(wait_window "^$title\$")
  sleep 0.5
  xdotool windowfocus --sync "$window"
  # The first record, then the second, each selected by a click on its row.
  local x y
  x=$(awk -v s="$scale" 'BEGIN { printf "%d", (50 + 40) * s }')
  y=$(awk -v s="$scale" 'BEGIN { printf "%d", (168 + 9) * s }')
  xdotool mousemove "$x" "$y" click 1 sleep 0.3 key ctrl+1 sleep 0.3 key ctrl+1 sleep 0.3
  xdotool mousemove "$x" "$((y + $(awk -v s="$scale" 'BEGIN { printf "%d", 13 * s }')))" click 1 \
    sleep 0.3 key ctrl+2 sleep 0.3
  xdotool mousemove "$x" "$y" sleep 0.3 mousemove_relative 1 0
  sleep 1.5
  import -window root -crop "$(awk -v s="$scale" 'BEGIN { printf "%dx%d+%d+%d", 720 * s, 580 * s, 40 * s, 0 }')" \
    +repage "$shots/study-$scale.png"
  kill "$app"
  wait "$app" 2>/dev/null || true
  rm -f "$library/Quillmere/Quillmere-study.sqlite"
}

# capture_results SCALE: marks two records, opens the book's results from the keyboard, starts a
# second cycle there and marks once more, and captures the results window into $shots as
# results-SCALE.png.
capture_results() {
  local scale=$1 app window results x y step
  rm -f "$library/Quillmere/Quillmere-study.sqlite"
  QT_SCALE_FACTOR=$scale "$library/Quillmere/Quillmere" > "$shots/results-$scale.log" 2>&1 &
  app=$!
  window=$(wait_window "^$title\$")
  sleep 0.5
  xdotool windowfocus --sync "$window"
  x=$(awk -v s="$scale" 'BEGIN { printf "%d", (50 + 40) * s }')
  y=$(awk -v s="$scale" 'BEGIN { printf "%d", (168 + 9) * s }')
  step=$(awk -v s="$scale" 'BEGIN { printf "%d", 13 * s }')
  xdotool mousemove "$x" "$y" click 1 sleep 0.3 key ctrl+1 sleep 0.3
  xdotool mousemove "$x" "$((y + step))" click 1 sleep 0.3 key ctrl+2 sleep 0.3 key ctrl+r
  results=$(wait_window " - 成績\$")
  sleep 0.5
  # The new cycle's button comes after the two tables in the tab order. It asks first, with
  # "やめる" focused as the default; "始める" comes before it. Without a window manager the keys
  # go to the window under the pointer.
  xdotool mousemove --window "$results" 300 200 sleep 0.2 key Tab Tab space
  question=$(wait_window "^新しい周回\$")
  sleep 0.3
  xdotool mousemove --window "$question" 10 10 sleep 0.2 key shift+Tab space
  sleep 0.3
  xdotool windowfocus --sync "$window"
  xdotool mousemove "$x" "$((y + step))" click 1 sleep 0.3 key ctrl+1 sleep 0.3
  xdotool mousemove "$x" "$((y + 2 * step))" click 1 sleep 0.3 key ctrl+2 sleep 0.5
  import -window "$results" "$shots/results-$scale.png"
  kill "$app"
  wait "$app" 2>/dev/null || true
  rm -f "$library/Quillmere/Quillmere-study.sqlite"
}

# capture_progress SCALE: with a log of several weeks written by bench/sample_study_log, opens
# "学習の推移" for the first book from the keyboard (Ctrl+G), chooses today in its calendar (Tab
# to the calendar, Enter) so that today's attempts are listed, and captures the window into
# $shots as progress-SCALE.png.
capture_progress() {
  local scale=$1 app window progress
  rm -f "$library/Quillmere/Quillmere-study.sqlite"
  "$root/build/bench/sample_study_log" "$library/Quillmere/Quillmere-study.sqlite" "$library/book"
  QT_SCALE_FACTOR=$scale "$library/Quillmere/Quillmere" > "$shots/progress-$scale.log" 2>&1 &
  app=$!
  window=$(wait_window "^$title\$")
  sleep 0.5
  xdotool windowfocus --sync "$window" key ctrl+g
  progress=$(wait_window "^学習の推移\$")
  sleep 0.8
  xdotool windowfocus --sync "$progress" key Tab Tab Return
  sleep 0.5
  import -window "$progress" "$shots/progress-$scale.png"
  kill "$app"
  wait "$app" 2>/dev/null || true
  rm -f "$library/Quillmere/Quillmere-study.sqlite"
}

# review_log: a study log of the sample library with attempts over the last ten days, as a
# student marking each day would leave it. The program makes the log with one mark of its own
# (so its tables are the program's), then the attempts are written with the days they were
# marked on, relative to today, and the program's own mark taken back.
review_log() {
  local log=$1
  sqlite3 "$log" <<'SQL'
DELETE FROM attempt_log;
DELETE FROM cycle_log;
WITH marks(book, record, days, result) AS (VALUES
  ('やさしい三手詰', 'p001.kif', 9, 'failed'), ('やさしい三手詰', 'p001.kif', 8, 'solved'),
  ('やさしい三手詰', 'p002.kif', 6, 'solved'), ('やさしい三手詰', 'p003.bod', 3, 'failed'),
  ('やさしい三手詰', 'P005.kif', 1, 'failed'), ('Practice Set 1', 'p010.kif', 2, 'gave up'),
  ('Practice Set 1', 'p011.kif', 10, 'solved'), ('Practice Set 1', 'p011.kif', 7, 'solved'),
  ('Practice Set 1', 'p012.kif', 1, 'solved'), ('五手詰道場', 'p100.bod', 5, 'failed'),
  ('五手詰道場', 'p100.bod', 4, 'failed'), ('五手詰道場', 'p100.bod', 3, 'solved'))
INSERT INTO attempt_log (book, record, started, marked, seconds, result, cycle)
SELECT book, record, NULL,
       strftime('%Y-%m-%dT%H:%M:%S', 'now', 'localtime', '-' || days || ' days', 'start of day',
                '+20 hours'), NULL, result, 1
FROM marks ORDER BY days DESC;
INSERT INTO cycle_log (book, cycle, started) SELECT book, 1, min(marked) FROM attempt_log GROUP BY book;
SQL
}

# capture_reviews SCALE: opens "今日の復習" with Ctrl+T on the log review_log writes, and captures
# the window into $shots as reviews-SCALE.png.
capture_reviews() {
  local scale=$1 app window reviews x y
  local log="$library/Quillmere/Quillmere-study.sqlite"
  rm -f "$log"
  QT_SCALE_FACTOR=$scale "$library/Quillmere/Quillmere" > "$shots/reviews-$scale.log" 2>&1 &
  app=$!
  window=$(wait_window "^$title\$")
  sleep 0.5
  xdotool windowfocus --sync "$window"
  x=$(awk -v s="$scale" 'BEGIN { printf "%d", (50 + 40) * s }')
  y=$(awk -v s="$scale" 'BEGIN { printf "%d", (168 + 9) * s }')
  xdotool mousemove "$x" "$y" click 1 sleep 0.3 key ctrl+1 sleep 1
  kill "$app"
  wait "$app" 2>/dev/null || true
  review_log "$log"
  QT_SCALE_FACTOR=$scale "$library/Quillmere/Quillmere" >> "$shots/reviews-$scale.log" 2>&1 &
  app=$!
  window=$(wait_window "^$title\$")
  sleep 0.5
  xdotool windowfocus --sync "$window" key ctrl+t
  reviews=$(wait_window "^今日の復習\$")
  sleep 1
  import -window "$reviews" "$shots/reviews-$scale.png"
  kill "$app"
  wait "$app" 2>/dev/null || true
  rm -f "$log"
}

# Up to a minute: the program starts slowly on a busy machine.
wait_window() {
  local id
  for _ in $(seq 1 600); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)
    if [ -n "$id" ]; then printf '%s' "$id"; return 0; fi
    sleep 0.1
  done
  echo "screenshots.sh: no window '$1'" >&2
  return 1
}

if [ "${QUILLMERE_SCREENSHOTS_DISPLAY:-}" = yes ]; then
  capture 1
  for scale in ${SCALES:-}; do capture "$scale"; done
  capture_preview 1
  capture_preview 2
  capture_study 1
  capture_study 2
  capture_results 1
  capture_results 2
  capture_progress 1
  capture_progress 2
  capture_reviews 1
  capture_reviews 2
  exit 0
fi

./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLMERE_TESTS=OFF -DQUILLMERE_BENCH=ON
cmake --build build -j"$(nproc)" --target Quillmere sample_study_log
./scripts/make-sample-library.sh "$root/build/bin/Quillmere" "$library"
# Paths as a Linux user might set them; the sh scripts run through /bin/sh.
cat > "$library/Quillmere/Quillmere.ini" <<'INI'
[ExePath]
KifFWin=/opt/shogi/bin/kifu-editor
KShogi=/opt/shogi/bin/shogi-board
UWSC=/bin/sh
Terapad=/usr/bin/mousepad
INI

rm -rf "$shots"
mkdir -p "$shots" docs/images
# Always a virtual display of its own, so that the pictures do not depend on the desktop.
QUILLMERE_SCREENSHOTS_DISPLAY=yes xvfb-run -a -s "-screen 0 1600x1200x24" "$0"

# Small palette images: the windows have few colours.
convert "$shots/main-1.png" -strip PNG8:docs/images/main-window.png
convert "$shots/settings-1.png" -strip PNG8:docs/images/settings-window.png
convert "$shots/preview-1.png" -strip PNG8:docs/images/preview.png
convert "$shots/preview-2.png" -strip PNG8:docs/images/preview-200.png
convert "$shots/study-1.png" -strip PNG8:docs/images/study.png
convert "$shots/study-2.png" -strip PNG8:docs/images/study-200.png
convert "$shots/results-1.png" -strip PNG8:docs/images/results.png
convert "$shots/results-2.png" -strip PNG8:docs/images/results-200.png
convert "$shots/progress-1.png" -strip PNG8:docs/images/progress.png
convert "$shots/progress-2.png" -strip PNG8:docs/images/progress-200.png
convert "$shots/reviews-1.png" -strip PNG8:docs/images/reviews.png
convert "$shots/reviews-2.png" -strip PNG8:docs/images/reviews-200.png
ls -l docs/images/*.png "$shots"/*.png
