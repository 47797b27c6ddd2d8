#!/usr/bin/env bash
# Takes the README's screenshots of every window, at 96 and at 144 DPI, under Wine in a
# virtual display, with the demo kit: docs/screenshots/<dpi>/*.png.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
root=$(repo_root)
cd "$root"

install_missing_packages

QUORVATH_FORCE_XVFB=1 start_display
for dpi in 96 144; do
  program="$root/build/screenshots/$dpi/Quorvath"
  shots="$root/build/screenshots/$dpi/bmp"
  build_program_folder "$program" take_screenshots
  rm -rf "$shots"
  mkdir -p "$shots" "docs/screenshots/$dpi"
  export WINEPREFIX="$root/build/wine-shots-$dpi" QUORVATH_DPI=$dpi
  prepare_wine
  wine build/mingw/bin/take_screenshots.exe "$(winepath -w "$program")" "$(winepath -w "$shots")"
  wineserver -k
  for bmp in "$shots"/*.bmp; do
    convert "$bmp" "docs/screenshots/$dpi/$(basename "$bmp" .bmp).png"
  done
done
stop_wine_and_display
ls -l docs/screenshots/*/
