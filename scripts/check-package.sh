#!/usr/bin/env bash
# Checks the release package: the program, the user README, the license and the demo kit in
# a folder of its own, never mixed into the program's folder.
set -euo pipefail
zip="${1:?usage: check-package.sh Quorvath-<version>-win64.zip}"
top=$(basename "$zip" .zip)
listing=$(python3 - "$zip" <<'PY'
import sys, zipfile
for name in zipfile.ZipFile(sys.argv[1]).namelist():
    print(name)
PY
)
status=0
for wanted in quorvath.exe README.txt LICENSE.txt "Demo kit/README.md" \
    "Demo kit/CPU Test/get-loc.bat" "Demo kit/High Quality/hq-flyby-benchmark_All .bat" \
    "Demo kit/Low Quality/lq-flyby-benchmark_All .bat"; do
  grep -qxF "$top/$wanted" <<<"$listing" || { echo "missing from the package: $wanted" >&2; status=1; }
done
if grep -qE "^$top/(CPU Test|High Quality|Low Quality)/" <<<"$listing"; then
  echo "the demo kit is mixed into the program's folder" >&2
  status=1
fi
[ $status -eq 0 ] && echo "$zip: $(grep -c . <<<"$listing") entries, contents as expected"
exit $status
