#!/usr/bin/env bash
# Draws the program's icon, a shogi piece bearing 詰 ("mate"), at the sizes Windows shows, into
# Quillmere.ico beside this script. The icon is kept in the repository; run this again only to
# change it. Needs ImageMagick and the IPA Mincho font (fonts-ipafont-mincho).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

convert -size 256x256 xc:none -fill '#e8c07a' -stroke '#6b4a1e' -strokewidth 8 \
  -draw "polygon 128,14 196,40 232,242 24,242 60,40" \
  -stroke none -fill '#2a1a08' -font /usr/share/fonts/opentype/ipafont-mincho/ipam.ttf \
  -pointsize 132 -gravity center -annotate +0+22 '詰' -depth 8 "$work/256.png"
sizes=()
for size in 16 24 32 48 64; do
  convert "$work/256.png" -resize "${size}x${size}" -depth 8 "$work/$size.png"
  sizes+=("$work/$size.png")
done
convert "${sizes[@]}" "$work/256.png" "$here/Quillmere.ico"
