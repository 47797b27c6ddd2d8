#!/usr/bin/env bash
# Installs what is missing, builds quorvath.exe, lays out a program folder with the demo kit
# and starts the program in it under Wine.
#   scripts/demo.sh            the window opens on your display (or a virtual one)
set -euo pipefail
source "$(dirname "$0")/lib.sh"
root=$(repo_root)
cd "$root"

install_missing_packages
program="$root/build/demo/Quorvath"
build_program_folder "$program" package
echo "Release package: $(ls build/mingw/package/Quorvath-*-win64.zip)"
echo "Program folder: $program"

export WINEPREFIX="${WINEPREFIX:-$root/build/wine-demo}"
start_display
prepare_wine
trap stop_wine_and_display EXIT
if [ -n "${QUORVATH_XVFB_PID:-}" ]; then
  echo "No display was set: Quorvath runs on the virtual display $DISPLAY."
  echo "A screenshot is written to build/demo/screenshot.png every 10 seconds; Ctrl+C ends."
  (while sleep 10; do import -window root "$root/build/demo/screenshot.png" 2>/dev/null; done) &
fi
echo "Starting Quorvath (close its window to end)."
wine "$program/quorvath.exe"
