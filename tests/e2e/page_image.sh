#!/usr/bin/env bash
# The page image of the selected record reaches the desktop's opener whole, as one argument,
# however odd its folder's name.
source "$(dirname "$0")/lib.sh"
e2e_need_display "$@"
e2e_library "$1"

book="$BOOKS/Book 'one' \$(touch x); \`id\`"
mkdir -p "$book"
printf 'record' > "$book/p012.kif"
printf 'image' > "$book/p011.jpg"

e2e_start
e2e_click $MAIN_PAGE_IMAGE
e2e_expect_call "xdg-open [$book/p011.jpg]"
e2e_click $MAIN_OPEN_FOLDER
e2e_expect_call "xdg-open [$book]"
[ ! -e x ] && [ ! -e "$book/x" ] || { echo "FAIL: a name was run as a command" >&2; exit 1; }
echo "page image: passed"
