# SPDX-FileCopyrightText: 2026 The stereogram authors
# SPDX-License-Identifier: MIT

# Sourced by the scripts that need an X display of their own.
#
# start_virtual_display starts Xvfb on a free display number with openbox as
# its window manager (stock configuration, whatever the user has set up),
# exports DISPLAY, and returns once openbox answers requests. VIRTUAL_DISPLAY_WM
# names another window manager (fluxbox, twm, fvwm, awesome, icewm, xfwm4 or
# metacity, each in its stock configuration), started the same way and
# waited for until it manages windows; with VIRTUAL_DISPLAY_WM=none, it starts
# no window manager. Given several SCREENs (each as Xvfb's -screen takes it),
# the server has as many; VIRTUAL_DISPLAY_SCREEN, where set, is the number of
# the one DISPLAY names, and the only one the window manager manages (each
# manages one screen). It also exports XDG_RUNTIME_DIR, a private one, when
# none is set. Both are stopped when the shell exits; a caller with an EXIT
# trap of its own calls stop_virtual_display from it.
#
# Run rather than sourced, as
#
#   bash virtual-display.sh --serve [SCREEN...]
#
# it starts the display the same way, writes DISPLAY=... and XDG_RUNTIME_DIR=...
# lines and then "ready" to standard output, and keeps the display until its
# standard input closes or it is sent SIGTERM. The e2e tests' harness starts
# its displays so.

start_virtual_display() {
    local display deadline screen number=0
    local -a screens=()
    for screen in "${@:-1280x1024x24}"; do
        screens+=(-screen $((number++)) "$screen")
    done
    VIRTUAL_DISPLAY_DIR=$(mktemp -d "${TMPDIR:-/tmp}/virtual-display.XXXXXX")
    trap stop_virtual_display EXIT

    # The servers end with this shell even when it is killed and cannot stop
    # them itself.
    local -a with_parent=()
    if command -v setpriv >/dev/null; then with_parent=(setpriv --pdeathsig TERM); fi

    # -displayfd picks a free number and writes it once the server accepts
    # connections: parallel runs never fight over a number.
    mkfifo "$VIRTUAL_DISPLAY_DIR/number"
    "${with_parent[@]}" Xvfb -displayfd 3 "${screens[@]}" -nolisten tcp -noreset \
        3>"$VIRTUAL_DISPLAY_DIR/number" </dev/null >"$VIRTUAL_DISPLAY_DIR/xvfb.log" 2>&1 &
    VIRTUAL_XVFB_PID=$!
    if ! read -r -t 15 display <"$VIRTUAL_DISPLAY_DIR/number"; then
        echo "virtual display: Xvfb did not start: $(tail -n 3 "$VIRTUAL_DISPLAY_DIR/xvfb.log")" >&2
        return 1
    fi
    export DISPLAY=":$display${VIRTUAL_DISPLAY_SCREEN:+.$VIRTUAL_DISPLAY_SCREEN}"
    if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
        mkdir -m 700 "$VIRTUAL_DISPLAY_DIR/runtime"
        export XDG_RUNTIME_DIR="$VIRTUAL_DISPLAY_DIR/runtime"
    fi

    local wm=${VIRTUAL_DISPLAY_WM:-openbox}
    [ "$wm" = none ] && return 0

    # Each window manager with its own stock settings, in the display's folder,
    # never the user's.
    local -a command
    case $wm in
    openbox) command=(openbox --sm-disable) ;;
    xfwm4) command=(xfwm4 --compositor=off --sm-client-disable) ;;
    # Without its stock start-up, whose banner stands over the windows for seconds.
    fvwm) command=(fvwm -f /dev/null) ;;
    icewm | metacity | awesome | twm | fluxbox) command=("$wm") ;;
    *)
        echo "virtual display: no such window manager here: $wm" >&2
        return 1
        ;;
    esac
    mkdir -p "$VIRTUAL_DISPLAY_DIR/config" "$VIRTUAL_DISPLAY_DIR/cache" "$VIRTUAL_DISPLAY_DIR/home"
    # fluxbox's stock style sets a wallpaper, and says in a window that it
    # cannot where no wallpaper setter is installed.
    if [ "$wm" = fluxbox ]; then
        mkdir -p "$VIRTUAL_DISPLAY_DIR/home/.fluxbox"
        echo 'background: none' >"$VIRTUAL_DISPLAY_DIR/home/.fluxbox/overlay"
    fi
    HOME="$VIRTUAL_DISPLAY_DIR/home" XDG_CONFIG_HOME="$VIRTUAL_DISPLAY_DIR/config" \
        XDG_CACHE_HOME="$VIRTUAL_DISPLAY_DIR/cache" \
        "${with_parent[@]}" "${command[@]}" </dev/null >"$VIRTUAL_DISPLAY_DIR/wm.log" 2>&1 &
    VIRTUAL_WM_PID=$!

    # Both steps together, however loaded the machine: only a failure waits so long.
    deadline=$((SECONDS + 30))
    # A window mapped before the window manager has taken over gets no frame:
    # it has when it redirects the root window's children to itself and, where
    # it speaks EWMH, has said so and what it supports.
    if ! virtual_display_managed "$wm" "$deadline"; then
        echo "virtual display: $wm did not take over $DISPLAY: $(tail -n 3 "$VIRTUAL_DISPLAY_DIR/wm.log")" >&2
        return 1
    fi
    [ "$wm" = openbox ] || return 0

    # openbox announces itself before its event loop runs, and requests made
    # that early go unanswered (the program asks it for the frame's size).
    # Once it has switched "showing the desktop" on and off on request, it
    # answers. openbox tells what it does in the root window's properties,
    # and xprop -spy writes each change there as a line (at once only when
    # told to, since its output is a pipe): the waits below wait for those lines.
    local spy mode
    local -A showing=([on]=1 [off]=0)
    exec {spy}< <(exec stdbuf -oL xprop -root -spy 2>&1)
    VIRTUAL_SPY_PID=$!
    for mode in on off; do
        if ! virtual_display_wait "$spy" "_NET_SHOWING_DESKTOP(CARDINAL) = ${showing[$mode]}" "$deadline" \
            wmctrl -k "$mode"; then
            echo "virtual display: openbox on $DISPLAY does not answer requests: $(tail -n 3 "$VIRTUAL_DISPLAY_DIR/wm.log")" >&2
            return 1
        fi
    done
    exec {spy}<&-
    kill "$VIRTUAL_SPY_PID" 2>/dev/null || true
    VIRTUAL_SPY_PID=
}

# virtual_display_managed WM DEADLINE: true once WM has taken over the
# display, as the X server shows it; false once it has ended, or at DEADLINE
# (a value of $SECONDS).
virtual_display_managed() {
    local wm=$1 deadline=$2
    for (( ; ; )); do
        if xwininfo -root -events 2>/dev/null | grep -qw SubstructureRedirect \
            && { [ "$wm" = twm ] || { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' \
                && xprop -root _NET_SUPPORTED 2>/dev/null | grep -q '_NET_WM_STATE'; }; }; then
            return 0
        fi
        if ! kill -0 "$VIRTUAL_WM_PID" 2>/dev/null || [ "$SECONDS" -ge "$deadline" ]; then
            return 1
        fi
        sleep 0.05
    done
}

# virtual_display_wait FD PATTERN DEADLINE [REQUEST...]: reads xprop's lines
# from FD until one matches PATTERN; makes REQUEST first, and again after each
# 50 ms without a line. After each such pause it also asks for the property
# itself, so that a line missed, cut by the pause, or never written (xprop
# gone) does not leave it waiting. False once openbox has ended, or at
# DEADLINE (a value of $SECONDS).
virtual_display_wait() {
    local fd=$1 pattern=$2 deadline=$3 line status property=${2%%(*}
    shift 3
    [ $# -eq 0 ] || "$@" >/dev/null 2>&1
    for (( ; ; )); do
        if read -r -t 0.05 line <&"$fd"; then
            [[ $line == $pattern ]] && return 0
            continue
        fi
        status=$?
        [[ $(xprop -root "$property" 2>/dev/null) == $pattern ]] && return 0
        if ! kill -0 "$VIRTUAL_WM_PID" 2>/dev/null || [ "$SECONDS" -ge "$deadline" ]; then
            return 1
        fi
        # At the end of xprop's output read returns at once, without the pause.
        [ "$status" -gt 128 ] || sleep 0.05
        [ $# -eq 0 ] || "$@" >/dev/null 2>&1
    done
}

# Safe under set -e: the servers end by the signal it sends them.
stop_virtual_display() {
    if [ -n "${VIRTUAL_SPY_PID:-}" ]; then kill "$VIRTUAL_SPY_PID" 2>/dev/null || true; fi
    if [ -n "${VIRTUAL_WM_PID:-}" ]; then kill "$VIRTUAL_WM_PID" 2>/dev/null || true; fi
    if [ -n "${VIRTUAL_XVFB_PID:-}" ]; then kill "$VIRTUAL_XVFB_PID" 2>/dev/null || true; fi
    if [ -n "${VIRTUAL_WM_PID:-}" ]; then wait "$VIRTUAL_WM_PID" 2>/dev/null || true; fi
    if [ -n "${VIRTUAL_XVFB_PID:-}" ]; then wait "$VIRTUAL_XVFB_PID" 2>/dev/null || true; fi
    if [ -n "${VIRTUAL_DISPLAY_DIR:-}" ]; then rm -rf "$VIRTUAL_DISPLAY_DIR"; fi
    VIRTUAL_WM_PID= VIRTUAL_XVFB_PID= VIRTUAL_SPY_PID= VIRTUAL_DISPLAY_DIR=
    return 0
}

serve_virtual_display() {
    start_virtual_display "$@" || exit 1
    trap 'stop_virtual_display; exit 0' TERM INT HUP
    printf 'DISPLAY=%s\nXDG_RUNTIME_DIR=%s\nready\n' "$DISPLAY" "$XDG_RUNTIME_DIR"
    # read returns at once for a trapped signal, where a program run here
    # would hold the trap back until it ended.
    while read -r _; do :; done
    stop_virtual_display
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    case ${1:-} in
    --serve)
        shift
        serve_virtual_display "$@"
        ;;
    *)
        echo "usage: bash $0 --serve [SCREEN...], or source it and call start_virtual_display" >&2
        exit 2
        ;;
    esac
fi
