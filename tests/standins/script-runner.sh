# What the stand-in for the script runner does besides writing its call down: tests/e2e/lib.sh
# makes it of record-call.sh followed by these lines. For the record-saving script it really
# makes the record (its second argument and ".kif"), as the script would have the record editor
# do.
case "$(basename "$1")" in
  uwsSaveKif.uws) printf '# made by the stand-in script runner\n' > "$2.kif" ;;
esac
