#!/usr/bin/env bash
# Builds SQLite for Windows as a static library with Debian's mingw-w64, from Debian's source of
# the very SQLite the Linux build uses (libsqlite3-dev), and installs it into the cache folder of
# Qt for Windows (scripts/build-qt-windows.sh). A library already there is reused. Linked
# statically, the program needs no DLL of it. Prints the prefix (include/sqlite3.h,
# lib/libsqlite3.a) as its last line.
#
#   scripts/build-sqlite-windows.sh        build or reuse; print the prefix
#   QUILLMERE_QT_CACHE=DIR                 where the cache lives
#                                          (default: ${XDG_CACHE_HOME:-$HOME/.cache}/quillmere)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)

say() { printf 'build-sqlite-windows: %s\n' "$*" >&2; }
fail() { say "FAILED: $*"; exit 1; }
# shellcheck source=debian-source.sh
source "$(dirname "$0")/debian-source.sh"

cache=${QUILLMERE_QT_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/quillmere}

version=$(dpkg-query -W -f='${Version}' libsqlite3-dev 2>/dev/null) ||
  fail "libsqlite3-dev is not installed (scripts/install-deps.sh installs it)"
upstream=${version%%-*}

# SQLite's own advice for a program that loads no extensions and needs no old behaviour.
defines=(
  -DSQLITE_OMIT_LOAD_EXTENSION -DSQLITE_DQS=0 -DSQLITE_DEFAULT_MEMSTATUS=0
  -DSQLITE_THREADSAFE=1 -DSQLITE_WIN32_MALLOC
)
compiler=x86_64-w64-mingw32-gcc-posix
key=$(printf '%s\n' "$version" "${defines[@]}" "$compiler" | sha256sum | cut -c1-12)
prefix=$cache/sqlite-$upstream-mingw-w64-$key

if [ -f "$prefix/.complete" ]; then
  say "reusing SQLite $upstream for Windows in $prefix"
  echo "$prefix"
  exit 0
fi

work=$cache/sqlite-work-$key
rm -rf "$work" "$prefix"
# A fix published for security may be installed before it reaches the release's own lists.
say "fetching the source of sqlite3 $version through apt"
debian_source "$work" sqlite3 "$version" bookworm-security

# Debian's source is SQLite's whole tree: its amalgamation (one sqlite3.c) is made by its own
# tools, built for this machine, and tclsh.
say "making the amalgamation of SQLite $upstream"
mkdir -p "$work/host"
(cd "$work/host" && "$source_dir/configure" --disable-tcl >"$work/configure.log" 2>&1) ||
  fail "configuring SQLite's tools failed (see $work/configure.log)"
make -C "$work/host" sqlite3.c >"$work/make.log" 2>&1 ||
  fail "making sqlite3.c failed (see $work/make.log)"

say "building SQLite $upstream for Windows"
mkdir -p "$prefix/include" "$prefix/lib"
"$compiler" -O2 "${defines[@]}" -c "$work/host/sqlite3.c" -o "$work/sqlite3.o" \
  >"$work/build.log" 2>&1 || fail "compiling sqlite3.c failed (see $work/build.log)"
x86_64-w64-mingw32-ar rcs "$prefix/lib/libsqlite3.a" "$work/sqlite3.o" ||
  fail "archiving libsqlite3.a failed"
cp "$work/host/sqlite3.h" "$work/host/sqlite3ext.h" "$prefix/include/"
cp "$source_dir/LICENSE.md" "$prefix/" 2>/dev/null || true

touch "$prefix/.complete"
rm -rf "$work"
say "SQLite $upstream for Windows built in $prefix"
echo "$prefix"
