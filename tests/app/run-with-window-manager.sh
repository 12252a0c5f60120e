#!/bin/sh
# Runs a test program on a virtual X server with the window manager openbox, as windows
# behave on a desktop: run-with-window-manager.sh PROGRAM [ARGUMENTS...]
# Exits 77 (the test is skipped) when Xvfb or openbox is not installed.
set -eu
command -v xvfb-run >/dev/null && command -v openbox >/dev/null && command -v xprop >/dev/null ||
    exit 77
exec xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
    openbox >/dev/null 2>&1 &
    wm=$!
    for i in $(seq 50); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
        sleep 0.1
    done
    status=0
    "$@" || status=$?
    kill $wm 2>/dev/null || true
    exit $status' sh "$@"
