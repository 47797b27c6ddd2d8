#!/usr/bin/env bash
# Runs a Windows test program in a Wine prefix and an X display of its own, so that its
# windows, keyboard focus and Wine settings touch no other test running at the same time.
#   run-in-own-prefix.sh NAME [--dpi DPI] PROGRAM [ARGUMENTS...]
set -euo pipefail
source "$(dirname "$0")/lib.sh"
name="${1:?usage: run-in-own-prefix.sh NAME [--dpi DPI] PROGRAM [ARGUMENTS...]}"
shift
if [ "${1:-}" = "--dpi" ]; then
  export QUORVATH_DPI="$2" QUORVATH_EXPECT_DPI="$2"
  shift 2
fi
export WINEPREFIX="$(repo_root)/build/wine-$name"
QUORVATH_FORCE_XVFB=1 start_display
trap stop_wine_and_display EXIT
prepare_wine
wine "$@"
