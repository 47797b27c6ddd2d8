#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test:
#  - the Windows build: unit, Win32 and end-to-end tests under Wine and Xvfb;
#  - meanwhile, the Windows sources compiled by clang as well, native unit tests, plain and
#    under AddressSanitizer/UBSan, and a short fuzz run of the result-file reader.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
root=$(repo_root)
cd "$root"
jobs=$(nproc)

install_missing_packages

step() { printf '\n==== %s (at %d s)\n' "$*" "$SECONDS"; }

step "Windows build (MinGW-w64)"
cmake --preset mingw >/dev/null
cmake --build --preset mingw -j "$jobs"
scripts/check-exe.sh build/mingw/bin/quorvath.exe
cmake --build --preset mingw --target package
scripts/check-package.sh build/mingw/package/Quorvath-*-win64.zip

# The Windows tests below mostly wait for the program's 5-second timers. Meanwhile, at a lower
# priority so that the programs under test come first, the other checks run one after the
# other; their output follows the Windows tests'.
checks_log="$root/build/checks-run.log"
checks() {
  renice -n 10 -p "$BASHPID" >/dev/null 2>&1 || true
  # MSVC cannot run here: clang for the same target stands in as the second compiler.
  printf '\n==== clang for the Windows target (at %d s)\n' "$SECONDS"
  scripts/check-clang.sh build/mingw
  for preset in native native-asan; do
    printf '\n==== Native build and unit tests: %s (at %d s)\n' "$preset" "$SECONDS"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
    ctest --preset "$preset" -j "$jobs"
  done
  if [ -x scripts/fuzz-reader.sh ]; then
    printf '\n==== Fuzzing the result-file reader (at %d s)\n' "$SECONDS"
    QUORVATH_FUZZ_BUILD="$root/build/fuzz" scripts/fuzz-reader.sh "${QUORVATH_FUZZ_SECONDS:-60}"
  fi
  printf '\n==== Done (at %d s)\n' "$SECONDS"
}
(set -e; checks) >"$checks_log" 2>&1 &
checks_pid=$!

step "Windows tests under Wine"
export WINEPREFIX="$root/build/wine-test"
QUORVATH_FORCE_XVFB=1 start_display
trap stop_wine_and_display EXIT
prepare_wine
# The end-to-end tests mostly wait for the program's 5-second timers: run several at once.
wine_status=0
ctest --preset mingw -j 4 || wine_status=$?

step "clang check, native builds and unit tests (plainly and under AddressSanitizer and UBSan), fuzzing"
checks_status=0
wait "$checks_pid" || checks_status=$?
cat "$checks_log"
[ "$wine_status" -eq 0 ] || exit "$wine_status"
[ "$checks_status" -eq 0 ] || exit "$checks_status"

step "All tests passed"
