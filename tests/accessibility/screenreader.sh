#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The stereogram authors
# SPDX-License-Identifier: MIT

# What a screen reader meets, through AT-SPI on a private D-Bus session with
# accessibility switched on: the tree, its roles and names, and the button's
# press action, which ends the program with status 0.
#
# Usage: screenreader.sh PROGRAM
set -uo pipefail
program=$1
checks=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$checks/../robust/lib.sh"
display_up

export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
bus=$(dbus-daemon --session --fork --print-address=1 --print-pid=1 --address="unix:path=$work/session-bus")
export DBUS_SESSION_BUS_ADDRESS=$(echo "$bus" | sed -n 1p)
bus_pid=$(echo "$bus" | sed -n 2p)
stop_bus() {
    # The accessibility bus launcher and its own bus end with the session bus.
    kill "$bus_pid" 2>/dev/null
    cleanup
}
trap stop_bus EXIT

# As a desktop does when a screen reader runs: the accessibility bus (started
# on demand by its D-Bus service) says accessibility is on.
if ! dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.freedesktop.DBus.Properties.Set \
    string:org.a11y.Status string:IsEnabled variant:boolean:true >/dev/null; then
    fail "cannot switch accessibility on: is at-spi2-core installed?"
    finish
fi

launch "$program"
if ! wait_for_window 30; then
    fail "no window appeared; stderr: $(head -c 600 "$work/err")"
    finish
fi
/usr/bin/python3 "$checks/screenreader.py" "$pid" || fail "the screen reader's walk"
wait_for_exit 10
[ "$status" = 0 ] || fail "after the press action the program ended with $(describe_status)"
[ ! -s "$work/err" ] || fail "the program said: $(head -c 600 "$work/err")"
finish
