#!/usr/bin/env bash
# Lays out a sample library: PROGRAM copied into LIBRARY/Quillmere, the sample books of
# sample/book into LIBRARY/book, with generated page images. Replaces an earlier layout.
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 PROGRAM LIBRARY" >&2; exit 2; }
program=$1
library=$2
root="$(cd "$(dirname "$0")/.." && pwd)"

rm -rf "$library"
mkdir -p "$library/Quillmere"
cp "$program" "$library/Quillmere/"
# The build makes the program folder kit beside the program.
for kit in Template.txt start.wav uwsSaveKif.uws uwsOpenStart.uws uwsEditTxt.uws; do
  if [ -f "$(dirname "$program")/$kit" ]; then cp "$(dirname "$program")/$kit" "$library/Quillmere/"; fi
done
cp -r "$root/sample/book" "$library/book"

# Scanned pages are stood in for by generated images: a page of some books is missing on
# purpose, so that the previous page is opened for it.
font=/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf
page() {
  convert -size 420x600 xc:'#f4efe2' -fill '#333' -font "$font" -pointsize 36 \
    -annotate +40+80 "$2" -pointsize 20 -annotate +40+130 "$3" "$1"
}
page "$library/book/やさしい三手詰/p001.jpg" "1ページ" "やさしい三手詰"
page "$library/book/やさしい三手詰/p002.jpg" "2ページ" "やさしい三手詰"
page "$library/book/やさしい三手詰/p003.jpg" "3ページ" "やさしい三手詰"
page "$library/book/やさしい三手詰/p004.jpg" "4ページ" "やさしい三手詰"
page "$library/book/Practice Set 1/p010.jpg" "Page 10" "Practice Set 1"
page "$library/book/Practice Set 1/p011.jpg" "Page 11" "Practice Set 1"
page "$library/book/五手詰道場/p100.jpg" "100ページ" "五手詰道場"
