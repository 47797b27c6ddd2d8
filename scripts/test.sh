#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test:
#  - native unit tests, plain and under AddressSanitizer/UBSan;
#  - the Windows build, checked by clang for the same target as well: unit, Win32 and
#    end-to-end tests under Wine and Xvfb;
#  - a short fuzz run of the result-file reader.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
root=$(repo_root)
cd "$root"
jobs=$(nproc)

install_missing_packages

step() { printf '\n==== %s (at %d s)\n' "$*" "$SECONDS"; }

step "Native build and unit tests"
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
ctest --preset native -j "$jobs"

step "Native build under AddressSanitizer and UBSan"
cmake --preset native-asan >/dev/null
cmake --build --preset native-asan -j "$jobs"
ctest --preset native-asan -j "$jobs"

step "Windows build (MinGW-w64)"
cmake --preset mingw >/dev/null
cmake --build --preset mingw -j "$jobs"
# MSVC cannot run here: clang for the same target stands in as the second compiler.
scripts/check-clang.sh build/mingw
scripts/check-exe.sh build/mingw/bin/quorvath.exe
cmake --build --preset mingw --target package
scripts/check-package.sh build/mingw/package/Quorvath-*-win64.zip

# The fuzz run takes one core for a minute; the Windows tests below mostly wait for the
# program's 5-second timers, so the two share the machine well.
fuzz_log="$root/build/fuzz-run.log"
if [ -x scripts/fuzz-reader.sh ]; then
  QUORVATH_FUZZ_BUILD="$root/build/fuzz" scripts/fuzz-reader.sh "${QUORVATH_FUZZ_SECONDS:-60}" \
    >"$fuzz_log" 2>&1 &
  fuzz_pid=$!
fi

step "Windows tests under Wine"
export WINEPREFIX="$root/build/wine-test"
QUORVATH_FORCE_XVFB=1 start_display
trap stop_wine_and_display EXIT
prepare_wine
# The end-to-end tests mostly wait for the program's 5-second timers: run several at once.
ctest --preset mingw -j 4

if [ -n "${fuzz_pid:-}" ]; then
  step "Fuzzing the result-file reader"
  fuzz_status=0
  wait "$fuzz_pid" || fuzz_status=$?
  cat "$fuzz_log"
  [ "$fuzz_status" -eq 0 ] || exit "$fuzz_status"
fi

step "All tests passed"
