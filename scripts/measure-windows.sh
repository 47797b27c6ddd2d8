#!/usr/bin/env bash
# Measures the Windows build under Wine, side by side with bare programs in the same run:
#  - quorvath.exe's size and imports;
#  - start-up to the main window against a program that only shows a window built with the
#    same manifest and common controls (and one without them), started in turns, with the
#    machine's load beside it; and the processor time used between timer ticks;
#  - reading and listing a result file of 32,766 groups against a bare list box;
#  - with 10,000 runs in the history, opening a chart, and saving a run;
#  - with 10,000 runs in the history, the History window: opening, reading and sorting.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
root=$(repo_root)
cd "$root"

install_missing_packages
program="$root/build/measure/Quorvath"
build_program_folder "$program" startup_measure minimal_window minimal_window_cc list_fill_measure \
  history_measure history_window_measure
mkdir -p "$program/Game"

echo "== quorvath.exe"
scripts/check-exe.sh build/mingw/bin/quorvath.exe

export WINEPREFIX="$root/build/wine-measure"
QUORVATH_FORCE_XVFB=1 start_display
trap stop_wine_and_display EXIT
prepare_wine
# A get-loc.bat that does next to nothing, so that the batch files started by one start-up
# do not load the machine while the next start-up is timed.
printf '@echo off\r\n>"%%~dp0..\\ut.out" echo %s\r\n' "$(winepath -w "$program/Game")" \
  > "$program/CPU Test/get-loc.bat"
# A High Quality test that leaves its result at once, for the wait between the runs of a series.
printf '@echo off\r\n>"%%~dp0..\HQ_FPS.tmp" echo Cinder Keep\r\n>>"%%~dp0..\HQ_FPS.tmp" echo 1 / 2 / 3 fps\r\n>>"%%~dp0..\HQ_FPS.tmp" echo 1300\r\n>>"%%~dp0..\HQ_FPS.tmp" echo 32.9\r\nmove /y "%%~dp0..\HQ_FPS.tmp" "%%~dp0..\HQ_FPS.txt" >nul\r\n' \
  > "$program/High Quality/hq-flyby-benchmark_All .bat"

# Start-up times under Wine follow whatever else the machine does: the load goes beside them.
load() { printf 'load average (1, 5, 15 min): %s\n' "$(cut -d' ' -f1-3 /proc/loadavg)"; }

status=0
echo "== start-up and idle"
load
wine build/mingw/bench/startup_measure.exe "$(winepath -w "$program")" "${QUORVATH_STARTUP_ROUNDS:-100}" ||
  status=1
load
echo "== reading and listing a large result file"
wine build/mingw/bench/list_fill_measure.exe || status=1
echo "== the history"
wine build/mingw/bench/history_measure.exe || status=1
echo "== the History window"
wine build/mingw/bench/history_window_measure.exe || status=1
exit $status
