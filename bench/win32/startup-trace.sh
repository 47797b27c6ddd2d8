#!/usr/bin/env bash
# Where quorvath.exe's start-up goes under Wine, seen from outside: Wine's own trace of the
# DLLs it loads and of a few calls the program makes, with their times, for quorvath.exe and
# for the yardstick built with the same manifest and common controls. Prints the median time
# of each step after the executable is mapped, over several starts of each program.
#   bench/win32/startup-trace.sh [starts, 7 by default]
# Wine's tracing slows every call it reports: the steps' sizes compare with one another, not
# with the untraced times that scripts/measure-windows.sh takes.
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"
root=$(repo_root)
cd "$root"
starts="${1:-7}"

install_missing_packages
program="$root/build/measure/Quorvath"
build_program_folder "$program" minimal_window_cc >/dev/null
mkdir -p "$program/Game"
printf '@echo off\r\n>"%%~dp0..\\ut.out" echo %s\r\n' "$(winepath -w "$program/Game" 2>/dev/null)" \
  > "$program/CPU Test/get-loc.bat"

logs=$(mktemp -d)
export WINEPREFIX="$root/build/wine-measure"
QUORVATH_FORCE_XVFB=1 start_display
trap 'rm -rf "$logs"; wine_reg delete "HKCU\Software\Wine\Debug"; stop_wine_and_display' EXIT
prepare_wine
# Only these calls are reported (those the two programs make on their way to the window),
# so that tracing costs little.
calls="SetDllDirectoryW;LoadLibraryW;InitCommonControlsEx;RegisterClassW;RegisterClassExW"
calls+=";CreateDialogIndirectParamW;CreateMenu;CreateFontIndirectW;CreateWindowExW;LoadImageW"
calls+=";ShowWindow;CreateProcessW;UpdateWindow;GetMessageW"
wine_reg add 'HKCU\Software\Wine\Debug' /v RelayInclude /d "$calls"

run() {
  local exe="$1" name="$2" i
  for i in $(seq 0 "$starts"); do  # the first start only warms the caches
    # The program stays up until its window has been shown for a while, then is ended.
    (cd "$program" && WINEDEBUG=+timestamp,+pid,+relay,+loaddll timeout 3 wine "$exe" \
      >"$logs/$name.$i.log" 2>&1) || true
  done
  rm -f "$logs/$name.0.log"
}
run "$program/quorvath.exe" quorvath
run "$root/build/mingw/bench/minimal_window_cc.exe" yardstick

# Each step: the first line of the program's own thread that matches, as milliseconds after
# the executable was mapped. Calls count only when the program itself makes them.
python3 - "$logs" <<'EOF'
import glob, os, re, statistics, sys

steps = {
    "quorvath": [
        ("user32 and gdi32 loaded", r"Loaded .*\\GDI32\.dll"),
        ("entry: DLL search hardened", r"Call KERNEL32\.SetDllDirectoryW"),
        ("comctl32 requested", r"Call KERNEL32\.LoadLibraryW\(.*comctl32"),
        ("X11 driver loaded", r"Loaded .*winex11\.drv"),
        ("theme DLL loaded", r"Loaded .*uxtheme\.dll"),
        ("common controls registered", r"Call comctl32\.InitCommonControlsEx"),
        ("dialog requested", r"Call user32\.CreateDialogIndirectParamW"),
        ("dialog made, menu begins", r"Call user32\.CreateMenu"),
        ("controls begin", r"Call user32\.CreateWindowExW.*L\"Button\""),
        ("banner loaded", r"Call user32\.LoadImageW\(140000000,00000065"),
        ("shown", r"Call user32\.ShowWindow"),
        ("first paint begins", r"Call user32\.UpdateWindow"),
        ("location batch file started", r"Call KERNEL32\.CreateProcessW"),
        ("waits for input", r"Call user32\.GetMessageW"),
    ],
    "yardstick": [
        ("user32 and gdi32 loaded", r"Loaded .*\\gdi32\.dll"),
        ("X11 driver loaded", r"Loaded .*winex11\.drv"),
        ("theme DLL loaded", r"Loaded .*uxtheme\.dll"),
        ("entry: common controls registered", r"Call comctl32\.InitCommonControlsEx"),
        ("window requested", r"Call user32\.CreateWindowExW"),
        ("shown", r"Call user32\.ShowWindow"),
        ("first paint begins", r"Call user32\.UpdateWindow"),
        ("waits for input", r"Call user32\.GetMessageW"),
    ],
}
line_re = re.compile(r"^(\d+\.\d+):([0-9a-f]+):([0-9a-f]+):")
for name, wanted in steps.items():
    times = {label: [] for label, _ in wanted}
    files = sorted(glob.glob(os.path.join(sys.argv[1], name + ".*.log")))
    for path in files:
        start, thread, found = None, None, {}
        for line in open(path, errors="replace"):
            m = line_re.match(line)
            if not m:
                continue
            if start is None:
                if re.search(r"Loaded .*\.exe\" at 0000000140000000", line):
                    start, thread = float(m.group(1)), m.group(3)
                continue
            if m.group(3) != thread:
                continue
            own_call = "Call " not in line or re.search(r"ret=14[0-9a-f]{7}\b", line)
            for label, pattern in wanted:
                if label not in found and own_call and re.search(pattern, line):
                    found[label] = (float(m.group(1)) - start) * 1000
        for label, ms in found.items():
            times[label].append(ms)
    print(f"{name}: median over {len(files)} traced starts, ms after its executable was mapped")
    previous = 0.0
    for label, _ in wanted:
        if not times[label]:
            print(f"  {label:40s}      -")
            continue
        at = statistics.median(times[label])
        print(f"  {label:40s} {at:6.1f}  (+{at - previous:5.1f})")
        previous = at
EOF
