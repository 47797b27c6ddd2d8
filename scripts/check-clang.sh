#!/usr/bin/env bash
# Compiles every source file of the Windows program once more, with clang for the same target
# and syntax only: whatever only GCC accepts, and every warning clang gives, fails the check.
# MSVC cannot run here; a second compiler keeps the code to standard C++ all the same.
#   check-clang.sh [build folder of the mingw preset, build/mingw by default]
set -euo pipefail
source "$(dirname "$0")/lib.sh"
root=$(repo_root)
cd "$root"
build="${1:-build/mingw}"
commands="$build/compile_commands.json"
[ -f "$commands" ] || { echo "$commands is missing: build the mingw preset first" >&2; exit 1; }
# Two at a time: about half a minute for the whole program on two cores.
jobs=2

gxx=x86_64-w64-mingw32-g++-posix
clang=clang++
for tool in "$gxx" "$clang" python3; do
  command -v "$tool" >/dev/null || { echo "$tool is missing" >&2; exit 1; }
done

# clang finds neither MinGW's C++ library nor, reliably, only MinGW's C headers (it falls back
# to the host's /usr/include): every system folder is named here, in the order clang would
# search them, with clang's own compiler headers instead of GCC's, whose built-ins it lacks.
cxx_folders=() c_folders=()
while read -r folder; do
  case "$folder" in
    */include/c++*) cxx_folders+=(-isystem "$folder") ;;
    */x86_64-w64-mingw32/include) c_folders+=(-isystem "$folder") ;;
  esac
done < <("$gxx" -v -E -x c++ /dev/null 2>&1 >/dev/null |
  sed -n '/#include <\.\.\.> search starts here:/,/End of search list\./p' | sed 's/^ *//')
if [ ${#cxx_folders[@]} -eq 0 ] || [ ${#c_folders[@]} -eq 0 ]; then
  echo "$gxx names no C++ library or MinGW header folders" >&2
  exit 1
fi
system_includes=(-nostdinc "${cxx_folders[@]}" -isystem "$($clang -print-resource-dir)/include"
  "${c_folders[@]}")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One response file per source file of the program (the portable and Windows libraries and
# the executable, all under src/), holding the build's own definitions and include folders.
python3 - "$commands" "$root/src/" "$work" <<'EOF'
import json, os, shlex, sys
commands, src, work = sys.argv[1], sys.argv[2], sys.argv[3]
seen = set()
for entry in json.load(open(commands)):
    path = os.path.normpath(os.path.join(entry["directory"], entry["file"]))
    if not path.startswith(src) or not path.endswith(".cpp") or path in seen:
        continue
    seen.add(path)
    args = entry["arguments"] if "arguments" in entry else shlex.split(entry["command"])
    kept, take_next = [], False
    for arg in args[1:]:
        if take_next:
            kept.append(arg)
            take_next = False
        elif arg in ("-D", "-I", "-isystem", "-include"):
            kept.append(arg)
            take_next = True
        elif arg.startswith(("-D", "-I", "-isystem", "-include")):
            kept.append(arg)
        elif arg.startswith("-I"):
            kept.append(arg)
    for i, flag in enumerate(kept):
        if flag.startswith("-I") and len(flag) > 2 and not os.path.isabs(flag[2:]):
            kept[i] = "-I" + os.path.join(entry["directory"], flag[2:])
    kept.append(path)
    name = os.path.join(work, "%03d.rsp" % len(seen))
    with open(name, "w") as out:
        out.write("\n".join(shlex.quote(a) for a in kept) + "\n")
EOF

count=$(find "$work" -name '*.rsp' | wc -l)
[ "$count" -gt 0 ] || { echo "no source files of src/ in $commands" >&2; exit 1; }

check_one() {
  local response="$1" log="${1%.rsp}.log"
  shift
  if ! "$@" "@$response" >"$log" 2>&1; then
    cat "$log"
    touch "${response%.rsp}.failed"
  fi
}
export -f check_one

start=$(date +%s%N)
find "$work" -name '*.rsp' -print0 | sort -z |
  xargs -0 -I{} -P "$jobs" bash -c 'check_one "$@"' _ {} "$clang" --target=x86_64-w64-mingw32 \
    -fsyntax-only -Wall -Wextra -Wpedantic -Werror -std=c++20 "${system_includes[@]}"
tenths=$((($(date +%s%N) - start) / 100000000))
failed=$(find "$work" -name '*.failed' | wc -l)
printf 'clang %s for x86_64-w64-mingw32, syntax only: %d source files of src checked, %d failed (%d.%d s)\n' \
  "$($clang -dumpversion)" "$count" "$failed" $((tenths / 10)) $((tenths % 10))
[ "$failed" -eq 0 ]
