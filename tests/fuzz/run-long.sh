#!/usr/bin/env bash
# Runs every fuzz target for longer than the test run does: N minutes each (default 10), one
# after the other. The inputs found are kept in the build folder and used again next time; an
# input that breaks a target is saved there too and named at the end.
#
#   tests/fuzz/run-long.sh [minutes] [target ...]
#
# Targets: profile_read_fuzz (settings-file reader and writer), command_line_fuzz (command-line
# splitting, program finding and building), page_header_fuzz (the page images' JPEG header
# reader) and page_decode_fuzz (their decoding, where Qt is found). Needs clang with libFuzzer.
set -euo pipefail
cd "$(dirname "$0")/../.."

minutes=${1:-10}
shift || true
targets=("$@")
[ "${#targets[@]}" -gt 0 ] || targets=(profile_read_fuzz command_line_fuzz page_header_fuzz)

build=${QUILL_FUZZ_BUILD:-build-fuzz-long}
cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUILLMERE_GUI=OFF -DQUILLMERE_BENCH=OFF >/dev/null
cmake --build "$build" -j2 --target "${targets[@]}"

failed=()
for target in "${targets[@]}"; do
  case $target in
    profile_read_fuzz) name=profile ;;
    command_line_fuzz) name=command_line ;;
    page_header_fuzz | page_decode_fuzz) name=page_header ;;
    *) echo "unknown target: $target" >&2; exit 2 ;;
  esac
  seeds=tests/fuzz/corpus/$name
  corpus=$build/tests/fuzz/corpus/$name
  artifacts=$build/tests/fuzz/artifacts/$target
  mkdir -p "$corpus" "$artifacts"
  echo "== $target: $minutes minute(s), corpus $corpus"
  if ! "$build/tests/fuzz/$target" -max_total_time=$((minutes * 60)) -max_len=4096 -timeout=10 \
      -print_final_stats=1 -artifact_prefix="$artifacts/" "$corpus" "$seeds" \
      2>"$build/tests/fuzz/$target.log"; then
    failed+=("$target")
  fi
  grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|Done)' \
    "$build/tests/fuzz/$target.log" || true
  echo "   inputs kept: $(find "$corpus" -type f | wc -l)"
done

if [ "${#failed[@]}" -gt 0 ]; then
  echo "FAILED: ${failed[*]} (see $build/tests/fuzz/<target>.log and the artifacts folder)"
  exit 1
fi
echo "all targets ran clean"
