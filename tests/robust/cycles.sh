#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The stereogram authors
# SPDX-License-Identifier: MIT

# Starts and closes the program many times in a row on one display, closing it
# by turns with the button, a key and the window manager's close request.
# Every run must end with status 0 and leave no window behind.
#
#   cycles.sh PROGRAM [CYCLES]      (default 200)
set -u
program=$1
cycles=${2:-200}
. "$(dirname "$0")/lib.sh"
display_up

keys=(space Return c)
started=$SECONDS
passed=0
for ((i = 0; i < cycles; i++)); do
    case $((i % 3)) in
    0) how=button ;;
    1) how=${keys[$(((i / 3) % 3))]} ;;
    2) how=wmctrl ;;
    esac
    run_to_close "cycle $((i + 1))" "$how" "$program" && passed=$((passed + 1))
    if [ "$failures" -ge 5 ]; then
        echo "stopping after $failures failures"
        break
    fi
done
echo "cycles: $passed of $cycles ended with status 0 and no window left, in $((SECONDS - started)) s"
finish
