#!/bin/sh
# Measures the FPS result reader and fails when a target is missed:
#  - speed, native optimised build (Google Benchmark): files of 32,766 and 1,000,000 groups,
#    read from memory and from disk, at least 500 MB/s and at most 6 times the time of a bare
#    line count (memchr from line feed to line feed) over the same bytes in the same run;
#  - peak memory reading 1,000,000 groups from disk below 100 MB, natively and as a Windows
#    program under Wine.
# Times are the medians of five repetitions, in CPU time (user and system), so that other
# work on a shared machine weighs less.
#   scripts/bench-reader.sh
# QUORVATH_BENCH_BUILD (default /tmp/quorvath-bench) and QUORVATH_BENCH_WIN_BUILD (default
# /tmp/quorvath-bench-mingw) choose the build folders, QUORVATH_BENCH_WINEPREFIX (default
# /tmp/quorvath-bench-wine) the Wine prefix; QUORVATH_BENCH_SKIP_WINE=1 skips the Wine part.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUORVATH_BENCH_BUILD:-/tmp/quorvath-bench}
win_build=${QUORVATH_BENCH_WIN_BUILD:-/tmp/quorvath-bench-mingw}
wine_prefix=${QUORVATH_BENCH_WINEPREFIX:-/tmp/quorvath-bench-wine}
jobs=${QUORVATH_JOBS:-2}
failed=0

cd "$root"
cmake --preset native-release -B "$build" >/dev/null
cmake --build "$build" --target quorvath_fps_bench quorvath_fps_peak_memory -j "$jobs" >/dev/null

json="$build/fps_reader_bench.json"
"$build/bench/quorvath_fps_bench" --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true --benchmark_out="$json" --benchmark_out_format=json
echo
python3 - "$json" <<'PY' || failed=1
import json, sys

MIN_MB_PER_S = 500.0
MAX_RATIO = 6.0

with open(sys.argv[1]) as f:
    runs = {b["run_name"]: b for b in json.load(f)["benchmarks"] if b.get("aggregate_name") == "median"}

def ms(name):
    return runs[name]["cpu_time"]  # the benchmarks report in milliseconds

def mb_per_s(name):
    return runs[name]["bytes_per_second"] / 1e6

ok = True
print("%-9s %-7s %10s %9s %12s %7s   %s" % ("groups", "from", "read ms", "MB/s", "line count", "ratio", "verdict"))
for groups in (32766, 1000000):
    for source, read, count in (("memory", "BM_ReadFpsBytes", "BM_CountLinesMemchr"),
                                ("disk", "BM_ReadFpsFile", "BM_CountLinesMemchrFile")):
        read_name, count_name = "%s/%d" % (read, groups), "%s/%d" % (count, groups)
        ratio = ms(read_name) / ms(count_name)
        speed = mb_per_s(read_name)
        misses = []
        if speed < MIN_MB_PER_S:
            misses.append("below %.0f MB/s" % MIN_MB_PER_S)
        if ratio > MAX_RATIO:
            misses.append("over %.0fx the line count" % MAX_RATIO)
        ok = ok and not misses
        print("%-9d %-7s %10.2f %9.1f %9.2f ms %6.2fx   %s" % (
            groups, source, ms(read_name), speed, ms(count_name), ratio,
            "; ".join(misses) if misses else "ok"))
    store = "BM_StoreRecordsOnly/%d" % groups
    print("%-9d %-7s %10.2f %9s %9.2f ms %6.2fx   (storing the records alone: the memory they need)" % (
        groups, "-", ms(store), "", ms("BM_CountLinesMemchr/%d" % groups),
        ms(store) / ms("BM_CountLinesMemchr/%d" % groups)))
sys.exit(0 if ok else 1)
PY

echo
echo "Peak memory, native:"
"$build/bench/quorvath_fps_peak_memory" 1000000 || failed=1

if [ "${QUORVATH_BENCH_SKIP_WINE:-0}" != 1 ]; then
  echo "Peak memory, Windows build under Wine:"
  cmake --preset mingw -B "$win_build" -DQUORVATH_TESTS=OFF >/dev/null
  cmake --build "$win_build" --target quorvath_portable -j "$jobs" >/dev/null
  exe="$win_build/quorvath_fps_peak_memory.exe"
  x86_64-w64-mingw32-g++-posix -std=c++20 -O2 -DNDEBUG -DUNICODE -D_UNICODE \
    -DWIN32_LEAN_AND_MEAN -DNOMINMAX -D_WIN32_WINNT=0x0601 -I"$root/src" -I"$root/bench" \
    "$root/bench/fps_peak_memory.cpp" "$root/bench/fps_bench_data.cpp" \
    "$win_build/src/libquorvath_portable.a" -static -lpsapi -o "$exe"
  export WINEPREFIX="$wine_prefix" WINEDEBUG=-all
  mkdir -p "$WINEPREFIX"
  wineserver -p
  # Boot the prefix detached, so that Wine's services do not hold this script's output.
  wine cmd /c exit </dev/null >/dev/null 2>&1
  wine "$exe" 1000000 </dev/null || failed=1
  wineserver -k || true
fi

if [ "$failed" -ne 0 ]; then
  echo "a target was missed" >&2
  exit 1
fi
echo "all targets met"
