#!/usr/bin/env bash
# Mutation check of the Win32 tests: plants each fault of tests/win32/mutants.txt alone in a
# copy of the checkout, rebuilds the Win32 test program of the Windows build and runs it under
# Wine in a prefix and display of its own. Same file format as the native check
# (../shared/tools/mutate): id, file, original text (once in the file), replacement,
# description; tab-separated. Prints CAUGHT or MISSED per fault, then the score; exits 1 below
# 0.9. Takes about half a minute per fault.
#   scripts/mutate-win32.sh [SCRATCH_FOLDER]   (default /tmp/quorvath-mutate-win32)
set -u -o pipefail
source "$(dirname "$0")/lib.sh"
root=$(repo_root)
work=${1:-/tmp/quorvath-mutate-win32}
case "$work/" in "$root/"*) echo "the scratch folder must be outside the checkout"; exit 2 ;; esac

rm -rf "$work" && mkdir -p "$work"
(cd "$root" && git ls-files -z | xargs -0 tar -cf - --) | (cd "$work" && tar -xf -)
cd "$work"
build() { cmake --build --preset mingw --target quorvath_win32_tests -j 2 >"$work/build.log" 2>&1; }
run() {
  timeout 600 scripts/run-in-own-prefix.sh mutate build/mingw/tests/win32/quorvath_win32_tests.exe \
    "--gtest_filter=-CodePage932.*" >"$work/test.log" 2>&1
}
cmake --preset mingw >/dev/null && build && run || { echo "the unchanged tests fail"; exit 2; }

caught=0 missed=0
while IFS=$'\t' read -r id file original replacement description; do
  case "$id" in '' | '#'*) continue ;; esac
  cp "$file" "$work/original"
  if ! python3 -c 'import sys
p, o, r = sys.argv[1:]
t = open(p).read()
sys.exit(1) if t.count(o) != 1 else open(p, "w").write(t.replace(o, r))' "$file" "$original" "$replacement"; then
    echo "SKIP $id (text not found once)"
    continue
  fi
  if ! build; then
    echo "CAUGHT $id (build)"
    caught=$((caught + 1))
  elif run; then
    echo "MISSED $id $description"
    missed=$((missed + 1))
  else
    echo "CAUGHT $id"
    caught=$((caught + 1))
  fi
  cp "$work/original" "$file"
done <"$root/tests/win32/mutants.txt"
echo "$caught caught, $missed missed"
awk -v c="$caught" -v m="$missed" 'BEGIN { printf "mutation score: %d/%d = %.3f\n", c, c + m, c / (c + m); exit !(c >= 0.9 * (c + m)) }'
