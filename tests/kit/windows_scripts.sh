#!/usr/bin/env bash
# The Windows kit: the three scripts under the names the program starts them by, each taking
# its arguments the way the program passes them (unquoted, so split at spaces), the editor path
# decoded from "<spc>", no record overwritten, and every text convertible to Shift-JIS for the
# Windows package.
set -euo pipefail
tool=$1
kit=$(cd "$(dirname "$0")/../../kit" && pwd)
windows="$kit/windows"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $1" >&2; failures=$((failures + 1)); }
# has FILE TEXT: FILE holds the exact text TEXT, outside comments.
has() { sed 's://.*$::' "$windows/$1" | grep -qF -- "$2" || fail "$1 lacks: $2"; }

names=$(cd "$windows" && ls)
[ "$names" = $'uwsEditTxt.uws\nuwsOpenStart.uws\nuwsSaveKif.uws' ] ||
  fail "the Windows scripts are: $names"

# Split arguments are joined again with single spaces, from a given argument on.
for script in uwsSaveKif.uws uwsOpenStart.uws uwsEditTxt.uws; do
  has "$script" 'FUNCTION JoinParams(first)'
  has "$script" 'FOR i = first TO LENGTH(PARAM_STR) - 1'
  has "$script" 'IF i > first THEN joined = joined + " "'
  has "$script" 'joined = joined + PARAM_STR[i]'
done

# uwsSaveKif: all arguments are the record's name; ".kif" is added; an existing one is kept.
has uwsSaveKif.uws 'baseName = JoinParams(0)'
has uwsSaveKif.uws 'kifPath = baseName + ".kif"'
has uwsSaveKif.uws 'IF FOPEN(kifPath, F_EXISTS) THEN'
has uwsSaveKif.uws 'SENDSTR(dialog, kifPath, 1, TRUE)'
# The check for an existing record comes before anything is sent to the record editor.
exists_line=$(grep -n 'F_EXISTS' "$windows/uwsSaveKif.uws" | head -1 | cut -d: -f1)
send_line=$(grep -n 'SENDSTR' "$windows/uwsSaveKif.uws" | head -1 | cut -d: -f1)
[ "$exists_line" -lt "$send_line" ] || fail "uwsSaveKif.uws sends the name before checking for a record"

# uwsOpenStart: all arguments are the record's path, handed to the board program in quotes.
has uwsOpenStart.uws 'recordPath = JoinParams(0)'
has uwsOpenStart.uws 'READINI("ExePath", "KShogi", iniPath)'
has uwsOpenStart.uws 'EXEC("<#DBL>" + kshogiPath + "<#DBL> <#DBL>" + recordPath + "<#DBL>")'

# uwsEditTxt: the editor is argument 1, each "<spc>" a space again, as the settings window held it
# when the button was pressed; the settings file is not read, so neither an editor not yet
# confirmed nor a program folder of another name misleads it. The arguments from the second on
# are the text file.
has uwsEditTxt.uws 'editorPath = DecodeSpaces(PARAM_STR[0])'
has uwsEditTxt.uws 'textPath = JoinParams(1)'
has uwsEditTxt.uws 'IF COPY(path, i, 5) = "<spc>" THEN'
has uwsEditTxt.uws 'decoded = decoded + " "'
has uwsEditTxt.uws 'i = i + 5'
has uwsEditTxt.uws 'EXEC("<#DBL>" + editorPath + "<#DBL> <#DBL>" + textPath + "<#DBL>")'
if sed 's://.*$::' "$windows/uwsEditTxt.uws" | grep -qE 'READINI|PROGRAM_FOLDER_NAME'; then
  fail "uwsEditTxt.uws reads the editor from a settings file found by a folder's name"
fi

# Every line of code in a block is closed: IF/ENDIF, FOR/NEXT, WHILE/WEND, FUNCTION/FEND.
for script in uwsSaveKif.uws uwsOpenStart.uws uwsEditTxt.uws; do
  code=$(sed 's://.*$::' "$windows/$script")
  ifs=$(grep -cE '^\s*IF .* THEN\s*$' <<< "$code" || true)
  endifs=$(grep -cE '^\s*ENDIF\s*$' <<< "$code" || true)
  fors=$(grep -cE '^\s*FOR ' <<< "$code" || true)
  nexts=$(grep -cE '^\s*NEXT\s*$' <<< "$code" || true)
  functions=$(grep -cE '^\s*FUNCTION ' <<< "$code" || true)
  fends=$(grep -cE '^\s*FEND\s*$' <<< "$code" || true)
  [ "$ifs" -eq "$endifs" ] || fail "$script: $ifs block IFs, $endifs ENDIFs"
  [ "$fors" -eq "$nexts" ] || fail "$script: $fors FORs, $nexts NEXTs"
  whiles=$(grep -cE '^\s*WHILE ' <<< "$code" || true)
  wends=$(grep -cE '^\s*WEND\s*$' <<< "$code" || true)
  [ "$functions" -eq "$fends" ] || fail "$script: $functions FUNCTIONs, $fends FENDs"
  [ "$whiles" -eq "$wends" ] || fail "$script: $whiles WHILEs, $wends WENDs"
done

# The Windows package carries these texts in Shift-JIS; each must convert whole.
for text in "$windows"/*.uws "$kit/Template.txt"; do
  "$tool" "$text" "$work/converted" || fail "$(basename "$text") does not convert to Shift-JIS"
  iconv -f CP932 -t UTF-8 "$work/converted" | tr -d '\r' | cmp -s - "$text" ||
    fail "$(basename "$text") does not come back unchanged from Shift-JIS"
done

[ "$failures" -eq 0 ] || exit 1
echo "windows scripts: passed"
