#!/usr/bin/env bash
# The Windows zip package as a user gets it: made with cpack, unpacked into a fresh Wine prefix
# and started from there. It must hold everything the program needs (the Qt libraries and
# plugins, Qt's Japanese translations and the compiler's runtime), so that the main window shows
# with no DLL missing, its kit in Shift-JIS with CR LF, a program file that carries the version,
# and the licence with notices that name every DLL it carries and the sources they came from.
#
#   unpacked_zip.sh PROGRAM_FOLDER ARGV_RECORDER CPACK_CONFIG
source "$(dirname "$0")/wine.sh"
e2e_need_display "$@"
cpack_config=$3
source_kit="$E2E_SOURCE/kit"
wine_prefix
# Errors of the loader are what this test looks for.
export WINEDEBUG=-all,err+module

cpack --config "$cpack_config" -B "$WORK/pack" > "$WORK/cpack.log" 2>&1 ||
  { cat "$WORK/cpack.log" >&2; exit 1; }
archive="$WORK/pack/Quillmere-1.0.4-Windows.zip"
[ -f "$archive" ] || { echo "FAIL: no $archive" >&2; ls "$WORK/pack" >&2; exit 1; }
(cd "$DRIVE_C" && unzip -q "$archive")
top="$DRIVE_C/Quillmere-1.0.4-Windows"

layout=$(cd "$DRIVE_C" && find Quillmere-1.0.4-Windows | sort)
expected=$(sort <<'TREE'
Quillmere-1.0.4-Windows
Quillmere-1.0.4-Windows/README-はじめに.txt
Quillmere-1.0.4-Windows/LICENSE
Quillmere-1.0.4-Windows/THIRD-PARTY-NOTICES.txt
Quillmere-1.0.4-Windows/licenses
Quillmere-1.0.4-Windows/licenses/GPL-3.txt
Quillmere-1.0.4-Windows/licenses/LGPL-3.txt
Quillmere-1.0.4-Windows/licenses/gcc-mingw-w64-copyright.txt
Quillmere-1.0.4-Windows/licenses/mingw-w64-copyright.txt
Quillmere-1.0.4-Windows/licenses/qt6-base-copyright.txt
Quillmere-1.0.4-Windows/licenses/qt6-translations-copyright.txt
Quillmere-1.0.4-Windows/book
Quillmere-1.0.4-Windows/Quillmere
Quillmere-1.0.4-Windows/Quillmere/Quillmere.exe
Quillmere-1.0.4-Windows/Quillmere/Qt6Core.dll
Quillmere-1.0.4-Windows/Quillmere/Qt6Gui.dll
Quillmere-1.0.4-Windows/Quillmere/Qt6Widgets.dll
Quillmere-1.0.4-Windows/Quillmere/libgcc_s_seh-1.dll
Quillmere-1.0.4-Windows/Quillmere/libstdc++-6.dll
Quillmere-1.0.4-Windows/Quillmere/libwinpthread-1.dll
Quillmere-1.0.4-Windows/Quillmere/platforms
Quillmere-1.0.4-Windows/Quillmere/platforms/qwindows.dll
Quillmere-1.0.4-Windows/Quillmere/styles
Quillmere-1.0.4-Windows/Quillmere/styles/qwindowsvistastyle.dll
Quillmere-1.0.4-Windows/Quillmere/imageformats
Quillmere-1.0.4-Windows/Quillmere/imageformats/qjpeg.dll
Quillmere-1.0.4-Windows/Quillmere/translations
Quillmere-1.0.4-Windows/Quillmere/translations/qtbase_ja.qm
Quillmere-1.0.4-Windows/Quillmere/Template.txt
Quillmere-1.0.4-Windows/Quillmere/start.wav
Quillmere-1.0.4-Windows/Quillmere/uwsEditTxt.uws
Quillmere-1.0.4-Windows/Quillmere/uwsOpenStart.uws
Quillmere-1.0.4-Windows/Quillmere/uwsSaveKif.uws
TREE
)
[ "$layout" = "$expected" ] || { echo "FAIL: the package holds:" >&2; echo "$layout" >&2; exit 1; }

# The kit's texts as the Windows editors and the script runner read them.
windows_text() { iconv -f UTF-8 -t CP932 "$1" | sed 's/$/\r/'; }
cmp <(windows_text "$source_kit/Template.txt") "$top/Quillmere/Template.txt"
for script in uwsSaveKif.uws uwsOpenStart.uws uwsEditTxt.uws; do
  cmp <(windows_text "$source_kit/windows/$script") "$top/Quillmere/$script"
done
iconv -f CP932 -t UTF-8 "$top/README-はじめに.txt" | grep -qF "1.0.4" ||
  { echo "FAIL: the how-to text is not Shift-JIS with the version" >&2; exit 1; }
# The licence, and notices that name every DLL the package carries, Qt's source and the
# translations' as the Debian packages of the build give them, with no blank left.
cmp <(windows_text "$E2E_SOURCE/LICENSE") "$top/LICENSE"
notices=$(tr -d '\r' < "$top/THIRD-PARTY-NOTICES.txt")
grep -q "@\|unknown" <<<"$notices" && { echo "FAIL: the notices have a blank" >&2; exit 1; }
for dll in $(cd "$top" && find . -name '*.dll' | sed 's|^\./||; s|/|\\|g'); do
  grep -qF "$dll" <<<"$notices" || { echo "FAIL: the notices do not name $dll" >&2; exit 1; }
done
for source in "qt6-base $(dpkg-query -W -f='${Version}' qt6-base-dev-tools)" \
  "qt6-translations $(dpkg-query -W -f='${Version}' qt6-translations-l10n)"; do
  grep -qF "$source" <<<"$notices" || { echo "FAIL: the notices do not name $source" >&2; exit 1; }
done
cmp /usr/share/qt6/translations/qtbase_ja.qm "$top/Quillmere/translations/qtbase_ja.qm"
# The version Windows shows in the file's properties.
strings -e l "$top/Quillmere/Quillmere.exe" | grep -qx "1.0.4" ||
  { echo "FAIL: Quillmere.exe carries no version information" >&2; exit 1; }

# Started from the unpacked folder, with nothing on WINEPATH: its main window shows.
PROG="$top/Quillmere"
mkdir -p "$top/book/はじめての本"
printf 'record' > "$top/book/はじめての本/p001.kif"
e2e_start
e2e_screenshot main-window
if grep -E "err:module|not found" "$WORK/program.out" >&2; then
  echo "FAIL: the program misses a library" >&2
  exit 1
fi
echo "Windows package: passed"
