#!/bin/sh
# Builds the fuzz preset (clang, libFuzzer, AddressSanitizer, UBSan) and fuzzes the reading of
# the program's text files for SECONDS seconds (default 60). Fails on any crash, leak, hang
# or sanitizer report; the input that caused it is kept in the artifacts folder.
#   scripts/fuzz-reader.sh [SECONDS]
# QUORVATH_FUZZ_BUILD chooses the build folder (default /tmp/quorvath-fuzz).
set -eu

seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUORVATH_FUZZ_BUILD:-/tmp/quorvath-fuzz}
artifacts="$build/fuzz-artifacts"
jobs=${QUORVATH_JOBS:-2}

cd "$root"
cmake --preset fuzz -B "$build" >/dev/null
cmake --build "$build" --target fps_reader_fuzz -j "$jobs"

# New inputs go to a scratch corpus; the seed corpus in the repository is only read.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$artifacts"
log="$build/fps_reader_fuzz.log"

status=0
"$build/tests/fuzz/fps_reader_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  -print_final_stats=1 -artifact_prefix="$artifacts/" "$work" "$root/tests/fuzz/corpus" \
  >"$log" 2>&1 || status=$?

grep -E '^(Done|stat::number_of_executed_units|stat::average_exec_per_sec|stat::peak_rss_mb)' \
  "$log" || true
# Sanitizer reports end the run already (no recovery); this also catches anything that slipped
# through as a mere message.
if [ "$status" -ne 0 ] || grep -qE 'ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error:' "$log"; then
  tail -n 60 "$log" >&2
  echo "fuzzing found a problem (exit $status); inputs in $artifacts, log in $log" >&2
  exit 1
fi
echo "fuzzing for ${seconds}s found nothing"
