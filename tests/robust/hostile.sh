#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The stereogram authors
# SPDX-License-Identifier: MIT

# The program in surroundings that are not as they should be. Whatever the
# case, it must end with a clear result: its window shown and closed with
# status 0, or one line on standard error and status 1, and never a crash.
#
#   hostile.sh CASE PROGRAM
#
# Cases: platform-plugin-missing, quiet-in-a-desktop-session, no-session-bus,
# no-japanese-font, memory-limits, display-goes-away, executable-names. Starts
# without a display or its server, with Wayland's variables beside X, and
# without a usable runtime directory are e2e tests
# (tests/e2e/environment_e2e_test.cpp).
set -u
case_name=$1
program=$(realpath "$2")
. "$(dirname "$0")/lib.sh"

# expect_silence LABEL: nothing on standard error or output.
expect_silence() {
    [ -s "$work/err" ] && fail "$1: standard error is not empty: $(head -c 600 "$work/err")"
    [ -s "$work/out" ] && fail "$1: standard output is not empty: $(head -c 200 "$work/out")"
}

case $case_name in

platform-plugin-missing)
    # A fatal error inside Qt: its platform plugin cannot be loaded.
    display_up
    launch env QT_QPA_PLATFORM=no-such-platform "$program"
    wait_for_exit 30
    expect_one_line_and_status_1 "QT_QPA_PLATFORM=no-such-platform"
    if [ -d /usr/lib/x86_64-linux-gnu/qt6/plugins/platforms ] &&
        ! ls /usr/lib/*/qt6/plugins/platforms/ | grep -q wayland; then
        launch env QT_QPA_PLATFORM=wayland "$program"
        wait_for_exit 30
        expect_one_line_and_status_1 "QT_QPA_PLATFORM=wayland without the wayland plugin"
    fi
    ;;

quiet-in-a-desktop-session)
    # An ordinary run prints nothing at all.
    display_up
    export QT_QPA_PLATFORM=xcb
    run_to_close "ordinary run" wmctrl "$program" && expect_silence "ordinary run"
    ;;

no-session-bus)
    # Without a D-Bus session bus, libdbus would start one for the program's
    # accessibility (dbus-launch --autolaunch) and leave its dbus-daemon
    # running. The program starts no process at all; a screen reader's bus,
    # announced on the X root window as AT_SPI_BUS, still reaches it.
    display_up
    export QT_QPA_PLATFORM=xcb
    unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS
    command -v dbus-launch >/dev/null || fail "dbus-launch is not installed: nothing could be started, so nothing is shown"
    # Every process the program starts inherits this variable.
    mark=STEREOGRAM_ROBUST_MARK=$$.$RANDOM
    marked() {
        grep -lsaz -- "^$mark\$" /proc/[0-9]*/environ 2>/dev/null | cut -d/ -f3 | grep -vx "$pid" | paste -sd,
    }
    launch env "$mark" "$program"
    if wait_for_window 30; then
        others=$(marked)
        [ -z "$others" ] || fail "with its window shown, the program has started: $(ps -o pid=,args= -p "$others" | tr "\n" ";" 2>/dev/null)"
        close_window wmctrl
        wait_for_exit 30
        [ "$status" = 0 ] || fail "ended with $(describe_status)"
        others=$(marked)
        [ -z "$others" ] || fail "left running after its end: $(ps -o pid=,args= -p "$others" | tr "\n" ";" 2>/dev/null)"
        [ -z "$others" ] && echo "no session bus: the program started no process"
    else
        wait_for_exit 5
        fail "no session bus: no window ($(describe_status)); stderr: $(head -c 600 "$work/err")"
    fi

    # A bus of its own stands in for the screen reader's accessibility bus.
    bus=$(dbus-daemon --session --fork --print-address=1 --print-pid=1 --address="unix:path=$work/a11y-bus" | head -n 2 | tr '\n' ' ')
    read -r bus_address bus_pid <<<"$bus"
    xprop -root -f AT_SPI_BUS 8s -set AT_SPI_BUS "$bus_address"
    launch "$program"
    if wait_for_window 30; then
        reached=
        for name in $(dbus-send --bus="$bus_address" --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
            org.freedesktop.DBus.ListNames | grep -o '":[0-9.]*"' | tr -d '"'); do
            owner=$(dbus-send --bus="$bus_address" --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
                org.freedesktop.DBus.GetConnectionUnixProcessID "string:$name" 2>/dev/null | awk '/uint32/ {print $2}')
            [ "$owner" = "$pid" ] && reached=$name
        done
        if [ -n "$reached" ]; then
            echo "accessibility bus from AT_SPI_BUS: the program is connected as $reached"
        else
            fail "the program did not connect to the accessibility bus named by AT_SPI_BUS"
        fi
        close_window wmctrl
        wait_for_exit 30
        [ "$status" = 0 ] || fail "with an accessibility bus: ended with $(describe_status)"
    else
        wait_for_exit 5
        fail "with an accessibility bus: no window ($(describe_status)); stderr: $(head -c 600 "$work/err")"
    fi
    kill "$bus_pid" 2>/dev/null
    xprop -root -remove AT_SPI_BUS
    ;;

no-japanese-font)
    # fontconfig that knows only the DejaVu faces, none of them Japanese.
    fonts=/usr/share/fonts/truetype/dejavu
    [ -d "$fonts" ] || { echo "no $fonts: install fonts-dejavu-core"; exit 2; }
    cat >"$work/fonts.conf" <<EOF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <dir>$fonts</dir>
  <cachedir>$work/font-cache</cachedir>
</fontconfig>
EOF
    export FONTCONFIG_FILE=$work/fonts.conf
    japanese=$(fc-list :lang=ja family)
    [ -z "$japanese" ] || fail "the restricted font set still has Japanese faces: $japanese"
    echo "faces left: $(fc-list : family | sort -u | tr '\n' ' ')"
    display_up
    export QT_QPA_PLATFORM=xcb
    run_to_close "without a Japanese face" Return "$program"
    ;;

memory-limits)
    # Address-space limits from too small to start at all up to plenty, every
    # MiB, RUNS times each (3 unless set). Each run ends one of these ways: the
    # loader cannot map the libraries (its own one line, status 127); the
    # program says in one line that it cannot start or go on (status 1); or the
    # window opens, after an error box when the picture could not be made, and
    # closed with C ends with status 0 within 5 s. Never a signal, and never a
    # program left running: a run that has neither shown its window nor ended
    # after 30 s has hung, since nothing else slows these starts. Runs take
    # turns in a Japanese locale and in none; a limit too small to start is
    # said in the run's language, and the sweep must meet it in both.
    display_up
    export QT_QPA_PLATFORM=xcb
    runs=${RUNS:-3}
    windows=0 said=0 loader=0 lowest_window=
    declare -A cannot_start=([Japanese]="メモリが足りないため起動できません" [English]="Cannot start: out of memory.")
    declare -A cannot_start_said=([Japanese]=0 [English]=0)
    turn=0
    # run_with_limit MIB: one run under that limit, judged as above.
    run_with_limit() {
        local mib=$1 label outcome= box= name w lines deadline language other
        local -a locale=(-u LC_ALL -u LC_MESSAGES -u LANG)
        if [ $((turn++ % 2)) = 0 ]; then
            language=Japanese other=English locale+=(LANG=ja_JP.UTF-8)
        else
            language=English other=Japanese
        fi
        label="address space $mib MiB, $language"
        launch env "${locale[@]}" prlimit --as=$((mib * 1024 * 1024)) -- "$program"
        deadline=$((SECONDS + 30))
        while [ "$SECONDS" -lt "$deadline" ] && kill -0 "$pid" 2>/dev/null; do
            # An error box comes first; it is answered with Enter.
            for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
                name=$(xdotool getwindowname "$w" 2>/dev/null)
                if [ "$name" != Form1 ] && [ -z "$box" ]; then
                    box=$name
                    xdotool windowactivate --sync "$w" key Return 2>/dev/null
                fi
            done
            window=$(form1_window)
            if [ -n "$window" ]; then
                close_window c
                outcome=window
                break
            fi
            sleep 0.05
        done
        wait_for_exit 5
        lines=$(grep -c '' "$work/err")
        if [ "$outcome" = window ] && [ "$status" = 0 ]; then
            windows=$((windows + 1))
            [ -z "$lowest_window" ] && lowest_window=$mib
            [ -n "$box" ] && echo "$label: window shown after an error box titled \"$box\", closed with status 0"
        elif [ -z "$outcome" ] && [ "$status" = 1 ] && [ "$lines" = 1 ]; then
            said=$((said + 1))
            if grep -qF -- "${cannot_start[$language]}" "$work/err"; then
                cannot_start_said[$language]=$((cannot_start_said[$language] + 1))
            elif grep -qF -- "${cannot_start[$other]}" "$work/err"; then
                fail "$label: the line is in $other: $(cat "$work/err")"
            fi
            last_line="$label: status 1, one line: $(cat "$work/err")"
            [ -n "$lowest_window" ] && echo "$label, above a limit that showed the window: one line: $(cat "$work/err")"
        elif [ -z "$outcome" ] && [ "$status" = 127 ] && [ "$lines" = 1 ] &&
            grep -q 'error while loading shared libraries' "$work/err"; then
            loader=$((loader + 1))
        else
            fail "$label: ended with $(describe_status)${outcome:+ after showing its window}, $lines line(s) on stderr: $(head -c 400 "$work/err" | tr '\n' '|')"
        fi
    }
    last_line=
    for mib in $(seq "${FROM_MIB:-60}" "${TO_MIB:-160}"); do
        for ((run = 1; run <= runs; run++)); do
            run_with_limit "$mib"
        done
    done
    echo "the highest limit that ended with one line: ${last_line:-none}"
    echo "$runs run(s) at each limit from ${FROM_MIB:-60} to ${TO_MIB:-160} MiB: $loader ended by the loader, $said with one line and status 1, $windows with the window closed normally; the lowest limit that showed the window: ${lowest_window:-none}"
    # A sweep that never reaches the window, or never the line, proves nothing.
    [ -n "$lowest_window" ] || fail "no limit showed the window"
    [ "$said" -gt 0 ] || fail "no limit ended with the line for too little memory"
    for language in Japanese English; do
        echo "$language: ${cannot_start_said[$language]} run(s) said \"${cannot_start[$language]}\""
        [ "${cannot_start_said[$language]}" -gt 0 ] || fail "no run in $language said \"${cannot_start[$language]}\""
    done
    ;;

display-goes-away)
    # The X server ends while the window is shown: the program says so in one
    # line and ends with status 1.
    display_up
    export QT_QPA_PLATFORM=xcb
    # In a Japanese locale, so the line is the Japanese one.
    launch env -u LC_ALL -u LC_MESSAGES LANG=ja_JP.UTF-8 "$program"
    if wait_for_window 30; then
        kill "$VIRTUAL_XVFB_PID"
        wait_for_exit 30
        expect_one_line_and_status_1 "X server gone" "X サーバーとの接続が切れたため終了します。"
    else
        fail "X server gone: no window shown"
    fi
    ;;

executable-names)
    # The program copied under awkward names starts and closes normally. What
    # a name makes of the title in the window's X properties is the e2e title
    # table's.
    display_up
    export QT_QPA_PLATFORM=xcb
    long=$(printf 'l%.0s' $(seq 236)).exe
    names=(
        "in.a.dotted/dir.ectory/stereogram"
        "stereogram.1.0.exe"
        ".stereogram"
        "stereogram"
        "STEREOGRAM.EXE"
        "My STEREO View"
        "ÉCRAN.exe"
        "立体視.exe"
        $'\xff\xfe\xc3.exe'
        '%s%n%p'
        "$long"
        $'new\nline'
    )
    ways=(button space wmctrl Return c)
    i=0
    for name in "${names[@]}"; do
        copy=$work/names/$i/$name
        mkdir -p "$(dirname "$copy")"
        cp "$program" "$copy"
        printable=$(printf '%q' "$name")
        if run_to_close "named $printable" "${ways[$((i % ${#ways[@]}))]}" "$copy"; then
            echo "named $printable ($(printf "%s" "$name" | wc -c) bytes): started and closed with status 0"
        fi
        i=$((i + 1))
    done
    ;;

*)
    echo "hostile.sh: unknown case $case_name" >&2
    exit 2
    ;;
esac
finish
