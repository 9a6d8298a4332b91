#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The stereogram authors
# SPDX-License-Identifier: MIT

# The surroundings a user can start the program in, one row each: how the row
# makes the surrounding, and what must come out of it. Every start ends in one
# of two ways: the window, which closes with status 0; or one line on
# standard error naming what is missing, and status 1, at once. Never a
# signal, a window that is never painted, or a start given up.
#
#   surroundings.sh ROW PROGRAM
#
# Rows:
#   file-limits          ulimit -n from 3 to 64: soft = hard, and soft below
#                        a hard limit that allows enough
#   stack-limits         ulimit -s from 8 KiB to 8 MiB, the same two ways
#   data-limits          ulimit -d from 1 to 128 MiB, the same two ways
#   process-limits       ulimit -u from 1 to 6 for a user of its own, the same
#                        two ways (needs root, to be that user)
#   session-manager-hangs  SESSION_MANAGER names a socket that accepts and
#                        never answers
#   stopped-during-start the process stopped in its connection to the X
#                        server (held there by stopping the server from the
#                        launch until the connection waits in its queue) and
#                        continued 30 s later
#   server-stopped       the X server stopped for 30 s from the launch
#   slow-link            the display reached through a relay that delays each
#                        direction by 150 ms, as a distant network does
#   relay-without-descriptors  the display reached through a relay that passes
#                        bytes but not file descriptors
#   screen-depths        screens of 8 bits (one line) and 15, 16, 24 and 30
#                        bits (the window)
#   terminal-codesets    --help and a fatal line in EUC-JP, ISO-8859-1 and C
#                        locales, and --help in locales of codesets no
#                        terminal line is written in (UCS-2, ISO-2022-JP):
#                        bytes the terminal can show
#
# Below some limits nothing reaches main() at all: the dynamic loader cannot
# open a library (status 127 and its own line), or the process has no stack to
# start on (SIGSEGV for any program, /bin/true too). Those ends are the
# system's, and a row accepts them only where the program's own --version
# does not always run under the same limit either.
set -u
row=$1
program=$(realpath "$2")
. "$(dirname "$0")/lib.sh"
relay=$here/relay.py

# A start that is slow but goes on must still end with the window: the rows
# that pause it wait this long past the pause.
pause_seconds=30
WINDOW_TIMEOUT=${WINDOW_TIMEOUT:-120}

# version_always_runs HOW...: the program's --version ran under HOW 20 times.
version_always_runs() {
    local try
    for try in $(seq 20); do
        "$@" "$program" --version >/dev/null 2>&1 || return 1
    done
}

# limit_row LABEL HOW...: one start under the limits that HOW (prlimit's
# options, and any command before it) sets, judged as the header says. Sets
# $outcome to window, line or system.
limit_row() {
    local label=$1 lines
    shift
    outcome=
    launch "$@" "$program"
    if wait_for_window 30; then
        close_window c
        wait_for_exit 30
        if [ "$status" = 0 ]; then
            outcome=window
        else
            fail "$label: the window closed, and the program ended with $(describe_status); stderr: $(head -c 300 "$work/err")"
        fi
        return
    fi
    wait_for_exit 5
    lines=$(grep -c '' "$work/err")
    if [ "$status" = 1 ] && [ "$lines" = 1 ] && [ ! -s "$work/out" ]; then
        outcome=line
        last_line=$(cat "$work/err")
        return
    fi
    # The system's own end: only where the program cannot even print its
    # version. Near that point whether anything reaches main() depends on
    # where the stack happens to start (/bin/true fails one start in five at
    # 12 KiB): a limit where --version fails in any of 20 tries is past it.
    if [ "$status" != hung ] && ! version_always_runs "$@"; then
        outcome=system
        return
    fi
    fail "$label: ended with $(describe_status) and $lines line(s) on standard error: $(head -c 300 "$work/err" | tr '\n' '|')"
}

# sweep NAME OPTION UNIT EXPECTED_WORDS VALUES...: limit_row for each value
# (times UNIT), soft = hard and soft below the hard limit this shell has
# (prlimit's --OPTION=soft:hard and --OPTION=soft:), with $prefix (an array)
# before prlimit. A line must name EXPECTED_WORDS; below the higher hard
# limit, only the window or the system's own end may come.
sweep() {
    local name=$1 option=$2 unit=$3 words=$4 value limit
    shift 4
    local -A seen=([window]=0 [line]=0 [system]=0)
    local -A seen_raised=([window]=0 [line]=0 [system]=0)
    local lowest_window= system_below=
    for value in "$@"; do
        limit=$((value * unit))
        limit_row "$name $value, soft = hard" "${prefix[@]}" prlimit "--$option=$limit"
        [ -n "$outcome" ] || continue
        seen[$outcome]=$((seen[$outcome] + 1))
        if [ "$outcome" = line ]; then
            grep -qF -- "$words" "$work/err" || fail "$name $value: the line does not name $words: $last_line"
        fi
        [ "$outcome" = system ] && system_below=$value
        [ "$outcome" = window ] && [ -z "$lowest_window" ] && lowest_window=$value

        limit_row "$name $value below a higher hard limit" "${prefix[@]}" prlimit "--$option=$limit:"
        [ -n "$outcome" ] || continue
        seen_raised[$outcome]=$((seen_raised[$outcome] + 1))
        [ "$outcome" = line ] && fail "$name $value below a higher hard limit: the soft limit was not raised: $last_line"
    done
    echo "$name, soft = hard: ${seen[window]} window(s), ${seen[line]} line(s), ${seen[system]} ended by the system (up to ${system_below:-none}); the lowest that showed the window: ${lowest_window:-none}"
    echo "$name, soft below hard: ${seen_raised[window]} window(s), ${seen_raised[line]} line(s), ${seen_raised[system]} ended by the system"
    [ -n "${last_line:-}" ] && echo "$name: the line said: $last_line"
    # A sweep that never meets both ends proves nothing.
    [ "${seen[window]}" -gt 0 ] || fail "$name: no limit showed the window"
    [ "${seen[line]}" -gt 0 ] || fail "$name: no limit ended with the line"
}

# paused_start_to_close LABEL START...: START launches the program and holds
# it up (for $pause_seconds); then the window must come, and status 0 on
# closing.
paused_start_to_close() {
    local label=$1 started=$SECONDS
    shift
    "$@"
    close_when_shown "$label" wmctrl && echo "$label: the window, closed with status 0, $((SECONDS - started)) s after the launch"
}

# Connections waiting in the virtual display's queue for the server to take
# them, on its sockets: a stopped server takes none.
queued_connections() {
    ss -xlH | awk -v socket="/tmp/.X11-unix/X${DISPLAY#:}" '$5 == socket || $5 == "@" socket { n += $3 } END { print n + 0 }'
}

# relay_display DELAY_MS: starts a relay to the virtual display's socket and
# sets $relay_display to the display that reaches it.
relay_display() {
    local number
    exec {relay_out}< <(exec python3 "$relay" x11 "/tmp/.X11-unix/X${DISPLAY#:}" "$1")
    relay_pid=$!
    read -r -t 30 number <&"$relay_out" || { fail "the relay did not start"; return 1; }
    relay_display=localhost:$number
}

prefix=()
case $row in

file-limits)
    display_up
    sweep "ulimit -n" nofile 1 "ulimit -n" $(seq 3 64)
    ;;

stack-limits)
    display_up
    # Where the stack starts moves with address-space randomisation, and with
    # it, at 12 to 16 KiB, whether the dynamic loader has room to load the
    # libraries at all (a start in a hundred or two): one layout, the same for
    # every start and for --version, makes the row the same on every run.
    if setarch -R true 2>/dev/null; then prefix=(setarch -R); fi
    kib=(8 12 16 20 24 32 48 64 80 96 128 192 256 384 448 511 512 768 1024 2048 4096 8192)
    sweep "ulimit -s (KiB)" stack 1024 "ulimit -s" "${kib[@]}"
    ;;

data-limits)
    display_up
    mib=(1 2 4 8 12 16 20 22 24 32 40 48 56 64 80 96 128)
    sweep "ulimit -d (MiB)" data $((1024 * 1024)) "ulimit -d" "${mib[@]}"
    ;;

process-limits)
    # The limit counts every process and thread of the user: a user with none.
    if [ "$(id -u)" != 0 ]; then
        echo "process-limits: needs root, to start the program as a user of its own"
        exit 77
    fi
    user=
    for candidate in $(seq 50000 50999); do
        if ! pgrep -U "$candidate" >/dev/null; then
            user=$candidate
            break
        fi
    done
    [ -n "$user" ] || { echo "no user id without processes"; exit 2; }
    display_up
    prefix=(setpriv --reuid="$user" --regid="$user" --clear-groups)
    sweep "ulimit -u" nproc 1 "ulimit -u" $(seq 1 6)
    ;;

session-manager-hangs)
    display_up
    exec {manager_out}< <(exec python3 "$relay" silent "$work/session-manager")
    manager_pid=$!
    read -r -t 30 ready <&"$manager_out" || fail "the stand-in session manager did not start"
    export SESSION_MANAGER="local/$(uname -n):$work/session-manager"
    run_to_close "a session manager that never answers" wmctrl "$program" &&
        echo "a session manager that never answers: the window, closed with status 0"
    kill "$manager_pid"
    ;;

stopped-during-start)
    display_up
    stop_in_connection() {
        local deadline=$((SECONDS + 30))
        kill -STOP "$VIRTUAL_XVFB_PID"
        launch "$program"
        until [ "$(queued_connections)" -gt 0 ]; do
            if ! kill -0 "$pid" 2>/dev/null || [ "$SECONDS" -ge "$deadline" ]; then
                kill -CONT "$VIRTUAL_XVFB_PID"
                fail "the program never reached the X server: the row proves nothing"
                return
            fi
            sleep 0.05
        done
        kill -STOP "$pid"
        kill -CONT "$VIRTUAL_XVFB_PID"
        sleep "$pause_seconds"
        # Stopped all along, it cannot have shown its window; had the stop not
        # held, it would have by now.
        [ -z "$(form1_window)" ] || fail "the window was shown while the program was stopped: the row proves nothing"
        kill -CONT "$pid"
    }
    paused_start_to_close "stopped in its connection to the X server for $pause_seconds s" stop_in_connection
    ;;

server-stopped)
    display_up
    server_paused() {
        kill -STOP "$VIRTUAL_XVFB_PID"
        launch "$program"
        sleep "$pause_seconds"
        [ "$(queued_connections)" -gt 0 ] || fail "the program was not waiting for the X server: the row proves nothing"
        kill -CONT "$VIRTUAL_XVFB_PID"
    }
    paused_start_to_close "the X server stopped for $pause_seconds s from the launch" server_paused
    ;;

slow-link)
    display_up
    relay_display 150 || finish
    slow_start() { DISPLAY=$relay_display launch "$program"; }
    paused_start_to_close "150 ms each way to the X server" slow_start
    kill "$relay_pid"
    ;;

relay-without-descriptors)
    display_up
    relay_display 0 || finish
    # Closing proves the picture: a window that waits for its shared-memory
    # image ignores the close.
    DISPLAY=$relay_display run_to_close "through a relay of bytes only" wmctrl "$program" &&
        echo "through a relay of bytes only ($relay_display): the window, closed with status 0"
    kill "$relay_pid"
    ;;

screen-depths)
    for depth in 8 15 16 24 30; do
        display_up "1280x1024x$depth"
        if [ "$depth" = 8 ]; then
            launch "$program"
            wait_for_exit 30
            expect_one_line_and_status_1 "an 8-bit screen" "8-bit"
        else
            run_to_close "a $depth-bit screen" Return "$program" && echo "a $depth-bit screen: the window, closed with status 0"
        fi
        stop_virtual_display
    done
    ;;

terminal-codesets)
    # text LOCALE...: the program's --help, and its line without a display, in
    # that locale (env's assignments).
    japanese_help="使い方: stereogram"
    japanese_line="ディスプレイに接続できません"
    in_locale() { env -u LC_ALL -u LC_MESSAGES -u LC_CTYPE -u LANGUAGE -u DISPLAY "$@"; }

    in_locale LANG=ja_JP.eucJP "$program" --help >"$work/help"
    decoded=$(iconv -f EUC-JP -t UTF-8 "$work/help" 2>/dev/null)
    [[ $decoded == *"$japanese_help"* ]] || fail "ja_JP.eucJP: --help is not Japanese in EUC-JP: $(head -c 100 "$work/help" | od -c | head -3)"
    grep -qF "$japanese_help" "$work/help" && fail "ja_JP.eucJP: --help is written in UTF-8"

    launch in_locale LANG=ja_JP.eucJP "$program"
    wait_for_exit 30
    expect_one_line_and_status_1 "ja_JP.eucJP without a display"
    [[ $(iconv -f EUC-JP -t UTF-8 "$work/err" 2>/dev/null) == *"$japanese_line"* ]] ||
        fail "ja_JP.eucJP: the line is not Japanese in EUC-JP"

    # Two-byte units and shift sequences: neither locale is installed, so
    # the codeset comes from the name, and the help must still be ASCII.
    for locale in C POSIX en_US en_US.ISO-8859-1 en_US.UCS-2 ja_JP.ISO-2022-JP; do
        in_locale LANG="$locale" LANGUAGE=ja "$program" --help >"$work/help"
        grep -q "^Usage: stereogram" "$work/help" || fail "$locale: --help is not English"
        # Any byte but printable ASCII, tab and newline: a NUL or an escape among them.
        stray=$(LC_ALL=C tr -d '\11\12\40-\176' <"$work/help" | wc -c)
        [ "$stray" = 0 ] || fail "$locale: --help holds $stray bytes outside ASCII: $(od -c "$work/help" | head -3)"
    done
    echo "EUC-JP: Japanese help and line; C, POSIX, ISO-8859-1, UCS-2 and ISO-2022-JP: English help in ASCII"
    ;;

*)
    echo "surroundings.sh: unknown row $row" >&2
    exit 2
    ;;
esac
finish
