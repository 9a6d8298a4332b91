# SPDX-FileCopyrightText: 2026 The stereogram authors
# SPDX-License-Identifier: MIT

# Sourced by the scripts that need an X display of their own.
#
# start_virtual_display starts Xvfb on a free display number with openbox as
# its window manager (stock configuration, whatever the user has set up),
# exports DISPLAY, and returns once openbox answers requests; with
# VIRTUAL_DISPLAY_WM=none, it starts no window manager. It also exports
# XDG_RUNTIME_DIR, a private one, when none is set. Both are stopped when the
# shell exits; a caller with an EXIT trap of its own calls
# stop_virtual_display from it.

start_virtual_display() {
    local screen=${1:-1280x1024x24} display tries
    VIRTUAL_DISPLAY_DIR=$(mktemp -d "${TMPDIR:-/tmp}/virtual-display.XXXXXX")
    trap stop_virtual_display EXIT

    # -displayfd picks a free number and writes it once the server accepts
    # connections: parallel runs never fight over a number.
    mkfifo "$VIRTUAL_DISPLAY_DIR/number"
    Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset \
        3>"$VIRTUAL_DISPLAY_DIR/number" >"$VIRTUAL_DISPLAY_DIR/xvfb.log" 2>&1 &
    VIRTUAL_XVFB_PID=$!
    if ! read -r -t 15 display <"$VIRTUAL_DISPLAY_DIR/number"; then
        echo "virtual display: Xvfb did not start: $(tail -n 3 "$VIRTUAL_DISPLAY_DIR/xvfb.log")" >&2
        return 1
    fi
    export DISPLAY=":$display"
    if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
        mkdir -m 700 "$VIRTUAL_DISPLAY_DIR/runtime"
        export XDG_RUNTIME_DIR="$VIRTUAL_DISPLAY_DIR/runtime"
    fi

    [ "${VIRTUAL_DISPLAY_WM:-openbox}" = none ] && return 0

    mkdir -p "$VIRTUAL_DISPLAY_DIR/config" "$VIRTUAL_DISPLAY_DIR/cache"
    XDG_CONFIG_HOME="$VIRTUAL_DISPLAY_DIR/config" XDG_CACHE_HOME="$VIRTUAL_DISPLAY_DIR/cache" \
        openbox --sm-disable >"$VIRTUAL_DISPLAY_DIR/openbox.log" 2>&1 &
    VIRTUAL_WM_PID=$!

    # A window mapped before the window manager has taken over gets no frame.
    for tries in $(seq 150); do
        if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id #' && wmctrl -m >/dev/null 2>&1; then
            break
        fi
        if ! kill -0 "$VIRTUAL_WM_PID" 2>/dev/null || [ "$tries" -eq 150 ]; then
            echo "virtual display: openbox did not take over $DISPLAY: $(tail -n 3 "$VIRTUAL_DISPLAY_DIR/openbox.log")" >&2
            return 1
        fi
        sleep 0.1
    done
    # openbox announces itself before its event loop runs, and requests made
    # that early may go unanswered (the program asks it for the frame's size).
    # Once it has switched "showing the desktop" on and off on request, it answers.
    local mode
    for mode in on off; do
        for tries in $(seq 150); do
            wmctrl -k "$mode" >/dev/null 2>&1
            sleep 0.05
            wmctrl -m 2>/dev/null | grep -qi "mode: $mode" && break
            if [ "$tries" -eq 150 ]; then
                echo "virtual display: openbox on $DISPLAY does not answer requests" >&2
                return 1
            fi
        done
    done
}

# Safe under set -e: the servers end by the signal it sends them.
stop_virtual_display() {
    if [ -n "${VIRTUAL_WM_PID:-}" ]; then kill "$VIRTUAL_WM_PID" 2>/dev/null || true; fi
    if [ -n "${VIRTUAL_XVFB_PID:-}" ]; then kill "$VIRTUAL_XVFB_PID" 2>/dev/null || true; fi
    if [ -n "${VIRTUAL_WM_PID:-}" ]; then wait "$VIRTUAL_WM_PID" 2>/dev/null || true; fi
    if [ -n "${VIRTUAL_XVFB_PID:-}" ]; then wait "$VIRTUAL_XVFB_PID" 2>/dev/null || true; fi
    if [ -n "${VIRTUAL_DISPLAY_DIR:-}" ]; then rm -rf "$VIRTUAL_DISPLAY_DIR"; fi
    VIRTUAL_WM_PID= VIRTUAL_XVFB_PID= VIRTUAL_DISPLAY_DIR=
    return 0
}
