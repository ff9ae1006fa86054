#!/bin/sh
# Stands in for the script runner: writes its call down as record-call.sh does and, for the
# record-saving script, really makes the record (its second argument and ".kif"), as the script
# would have the record editor do.
log=${QUILL_E2E_LOG:?QUILL_E2E_LOG is not set}
{
  printf '%s' "$(basename "$0")"
  for argument in "$@"; do printf ' [%s]' "$argument"; done
  printf '\n'
} >> "$log"
case "$(basename "$1")" in
  uwsSaveKif.uws) printf '# made by the stand-in script runner\n' > "$2.kif" ;;
esac
