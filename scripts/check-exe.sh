#!/usr/bin/env bash
# Checks the shipped executable: at most 1 MiB, a GUI program, and importing system DLLs only.
set -euo pipefail
exe="${1:?usage: check-exe.sh quorvath.exe}"
size=$(stat -c %s "$exe")
echo "quorvath.exe: $size bytes (limit 1048576)"
[ "$size" -le 1048576 ] || { echo "too large" >&2; exit 1; }

objdump=x86_64-w64-mingw32-objdump
subsystem=$($objdump -p "$exe" | awk '/^Subsystem/ {print $2}')
echo "subsystem: $subsystem (2 is a GUI program)"
[ "$subsystem" = "00000002" ] || { echo "not a GUI program" >&2; exit 1; }

system_dlls="advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll
oleaut32.dll shell32.dll shlwapi.dll user32.dll uxtheme.dll version.dll"
status=0
for dll in $($objdump -p "$exe" | awk '/DLL Name:/ {print tolower($3)}'); do
  if grep -qw "$dll" <<<"$system_dlls"; then
    echo "imports $dll"
  else
    echo "imports $dll: not a system DLL" >&2
    status=1
  fi
done
exit $status
