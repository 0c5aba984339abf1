#!/bin/bash
# Runs a Windows console program under Wine in the test prefix; its exit code
# is the program's.
#
#   run-under-wine.sh PROGRAM.exe [ARGS...]
#
# KOIKOI_RUN_LOCALE, when set, is the Unix locale the program runs in (and so
# Wine's ANSI code page), e.g. C.UTF-8 for a Windows that is not Japanese.
# KOIKOI_RUN_DISPLAY=1 gives the program a virtual display, for windows.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../tools/wine-env.sh"
koikoi_wine_env test
koikoi_wine_prepare
if [ -n "${KOIKOI_RUN_LOCALE:-}" ]; then
    export LANG=$KOIKOI_RUN_LOCALE LC_ALL=$KOIKOI_RUN_LOCALE
fi
if [ -n "${KOIKOI_RUN_DISPLAY:-}" ]; then
    koikoi_xvfb_start
    trap koikoi_xvfb_stop EXIT
fi
wine "$@"
