#!/usr/bin/env bash
# Runs Windows test programs in a Wine prefix of their own set to another DPI, on the display
# the test run already uses.
#   run-at-dpi.sh DPI PROGRAM [ARGUMENTS...]
set -euo pipefail
source "$(dirname "$0")/lib.sh"
dpi="${1:?usage: run-at-dpi.sh DPI PROGRAM [ARGUMENTS...]}"
shift
export WINEPREFIX="${QUORVATH_DPI_PREFIX:-$(repo_root)/build/wine-dpi-$dpi}"
export QUORVATH_DPI="$dpi" QUORVATH_EXPECT_DPI="$dpi"
start_display
prepare_wine
trap 'wineserver -k 2>/dev/null || true' EXIT
wine "$@"
