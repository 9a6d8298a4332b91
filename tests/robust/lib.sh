# SPDX-FileCopyrightText: 2026 The stereogram authors
# SPDX-License-Identifier: MIT

# Sourced by the robustness checks: start the real program, find its window,
# close it the way a person would, and judge how it ended.

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/../../scripts/virtual-display.sh"

failures=0
work=$(mktemp -d "${TMPDIR:-/tmp}/stereogram-robust.XXXXXX")
cleanup() {
    stop_virtual_display
    rm -rf "$work"
}
trap cleanup EXIT

# display_up [SCREEN]: starts the virtual display (SCREEN as Xvfb's -screen
# takes it, 1280x1024x24 unless given); the check cannot run without one.
display_up() {
    start_virtual_display "$@" || exit 2
    trap cleanup EXIT # start_virtual_display sets its own
}

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# Exit status of the check: 0 when nothing failed.
finish() {
    if [ "$failures" -eq 0 ]; then
        echo "PASS"
        exit 0
    fi
    echo "$failures failure(s)"
    exit 1
}

# The close button's centre in the client area, where the layout puts it at
# this display's resolution, which scales it with the text: text-height-probe
# (STEREOGRAM_TEXT_HEIGHT_PROBE, or the one built beside the program in the
# same build directory) measures the text as the program will. Asked once, on
# the first click.
button_x= button_y=
find_button() {
    [ -n "$button_x" ] && return 0
    local probe=${STEREOGRAM_TEXT_HEIGHT_PROBE:-$(dirname "${program:-.}")/tests/e2e/text-height-probe}
    if [ ! -x "$probe" ]; then
        echo "lib.sh: STEREOGRAM_TEXT_HEIGHT_PROBE names no text-height-probe: '$probe'" >&2
        return 1
    fi
    local x y
    read -r x y < <("$probe" --button-centre) && [ -n "$y" ] || return 1
    button_x=$x button_y=$y
}

# launch COMMAND...: starts it in the background, its output in $work/out and
# $work/err; sets $pid.
launch() {
    : >"$work/out"
    : >"$work/err"
    "$@" >"$work/out" 2>"$work/err" &
    pid=$!
}

# The visible window captioned Form1, as a decimal id; empty when there is none.
form1_window() {
    xdotool search --onlyvisible --name '^Form1$' 2>/dev/null | head -n 1
}

# wait_for_window SECONDS: sets $window once the program's window is shown;
# fails when the program ends first or the time runs out.
wait_for_window() {
    local deadline=$((SECONDS + $1))
    window=
    while [ "$SECONDS" -lt "$deadline" ]; do
        window=$(form1_window)
        [ -n "$window" ] && return 0
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.05
    done
    return 1
}

# wait_for_exit SECONDS: sets $status to the program's exit status, or to
# "hung" after killing it when it has not ended in time.
wait_for_exit() {
    local deadline=$((SECONDS + $1))
    while kill -0 "$pid" 2>/dev/null && [ "$SECONDS" -lt "$deadline" ]; do
        sleep 0.05
    done
    if kill -0 "$pid" 2>/dev/null; then
        kill -KILL "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
        status=hung
        return 1
    fi
    wait "$pid"
    status=$?
}

# close_window HOW: closes $window by the close button, a key (space, Return
# or c), or the window manager's close request.
close_window() {
    case $1 in
    button)
        find_button || return 1
        # Without --sync: it would wait for a motion that never comes when the
        # pointer is already there from the previous run.
        xdotool mousemove --window "$window" "$button_x" "$button_y" click 1
        ;;
    space | Return | c)
        xdotool windowactivate --sync "$window" key "$1"
        ;;
    wmctrl)
        wmctrl -i -c "$window"
        ;;
    *)
        echo "close_window: unknown way $1" >&2
        return 1
        ;;
    esac
}

# True once no window captioned Form1 exists any more, mapped or not (the
# server needs a moment to clean up after a client that has gone).
no_window_left() {
    local tries
    for tries in $(seq 40); do
        [ -z "$(xdotool search --name '^Form1$' 2>/dev/null)" ] && return 0
        sleep 0.05
    done
    return 1
}

# expect_one_line_and_status_1 LABEL [TEXT]: the program, already ended,
# said one line on standard error (containing TEXT, when given), nothing on
# standard output, and ended with status 1.
expect_one_line_and_status_1() {
    local label=$1 text=${2:-} lines
    lines=$(grep -c '' "$work/err")
    echo "$label: $(describe_status), stderr: $(head -c 400 "$work/err")"
    [ "$status" = 1 ] || fail "$label: ended with $(describe_status), not status 1"
    [ "$lines" = 1 ] || fail "$label: $lines lines on standard error, not one"
    [ -s "$work/out" ] && fail "$label: wrote to standard output: $(head -c 200 "$work/out")"
    if [ -n "$text" ] && ! grep -qF -- "$text" "$work/err"; then
        fail "$label: the message does not name $text"
    fi
}

# describe_status: the exit status in words, naming the signal of a crash.
describe_status() {
    case $status in
    hung) echo "still running, killed" ;;
    *) if [ "$status" -gt 128 ]; then echo "killed by signal $((status - 128)) ($(kill -l "$status" 2>/dev/null))"; else echo "status $status"; fi ;;
    esac
}

# run_to_close LABEL HOW COMMAND...: starts the program, waits for its window,
# closes it by HOW and checks that it ended with status 0 and left no window.
run_to_close() {
    local label=$1 how=$2
    shift 2
    launch "$@"
    close_when_shown "$label" "$how"
}

# close_when_shown LABEL HOW: run_to_close for a program launched already.
close_when_shown() {
    local label=$1 how=$2
    if ! wait_for_window "${WINDOW_TIMEOUT:-30}"; then
        wait_for_exit 5
        fail "$label: no window appeared ($(describe_status)); stderr: $(head -c 600 "$work/err")"
        return 1
    fi
    close_window "$how" || fail "$label: closing by $how failed"
    wait_for_exit 30
    if [ "$status" != 0 ]; then
        fail "$label: closed by $how, ended with $(describe_status); stderr: $(head -c 600 "$work/err")"
        return 1
    fi
    if ! no_window_left; then
        fail "$label: a window captioned Form1 is left after the program ended"
        return 1
    fi
    return 0
}
