# Sourced: start_virtual_display starts Xvfb on a free display with openbox as
# its window manager, exports DISPLAY, and stops both when the shell exits.

start_virtual_display() {
    local fifo pid display
    fifo=$(mktemp -u) && mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    VIRTUAL_XVFB_PID=$!
    read -r -t 10 display <"$fifo" || { echo "Xvfb did not start" >&2; rm -f "$fifo"; return 1; }
    rm -f "$fifo"
    export DISPLAY=":$display"
    trap stop_virtual_display EXIT

    openbox >/dev/null 2>&1 &
    VIRTUAL_WM_PID=$!
    # A window mapped before the window manager has taken over gets no frame.
    local tries
    for tries in $(seq 100); do
        wmctrl -m >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "openbox did not start" >&2
    return 1
}

stop_virtual_display() {
    [ -n "${VIRTUAL_WM_PID:-}" ] && kill "$VIRTUAL_WM_PID" 2>/dev/null
    [ -n "${VIRTUAL_XVFB_PID:-}" ] && kill "$VIRTUAL_XVFB_PID" 2>/dev/null
    wait 2>/dev/null
    return 0
}
