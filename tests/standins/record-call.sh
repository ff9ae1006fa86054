#!/bin/sh
# Stands in for an outside program: writes down its own name and every argument it received,
# each in brackets, as one line of the file named by QUILL_E2E_LOG.
log=${QUILL_E2E_LOG:?QUILL_E2E_LOG is not set}
{
  printf '%s' "$(basename "$0")"
  for argument in "$@"; do printf ' [%s]' "$argument"; done
  printf '\n'
} >> "$log"
