#!/bin/sh
# Runs a test program on a virtual X server with the window manager openbox, as windows
# behave on a desktop: run-with-window-manager.sh PROGRAM [ARGUMENTS...]
# Exits 77 (the test is skipped) when Xvfb or openbox is not installed. The program starts only
# once openbox manages the screen: on a loaded machine openbox can take many seconds, and a
# test started before it would read an unmanaged screen. openbox is started again if it ends.
set -eu
command -v xvfb-run >/dev/null && command -v openbox >/dev/null && command -v xprop >/dev/null ||
    exit 77
exec xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
    log=$(mktemp)
    wm=
    managed() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; }
    for attempt in 1 2 3; do
        openbox >>"$log" 2>&1 &
        wm=$!
        for i in $(seq 300); do
            managed && break 2
            kill -0 $wm 2>/dev/null || break
            sleep 0.1
        done
        echo "openbox did not come up (attempt $attempt)" >>"$log"
        kill $wm 2>/dev/null || true
    done
    if ! managed; then
        echo "no window manager on the virtual screen:" >&2
        cat "$log" >&2
        rm -f "$log"
        exit 1
    fi
    status=0
    "$@" || status=$?
    kill $wm 2>/dev/null || true
    rm -f "$log"
    exit $status' sh "$@"
