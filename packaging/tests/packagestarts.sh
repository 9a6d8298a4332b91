#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The stereogram authors
# SPDX-License-Identifier: MIT

# Extracts the package in DIR into a temporary root and, on a virtual display
# under a window manager, runs every command line of its desktop entry the
# way a menu would: the window appears with the class the entry announces,
# and closing it ends the program with status 0.
set -euo pipefail
dir=$1 scripts=$2
deb=$(ls "$dir"/stereogram_*.deb)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
entry=$root/usr/share/applications/stereogram.desktop
wm_class=$(sed -n 's/^StartupWMClass=//p' "$entry")
[ -n "$wm_class" ] || { echo "FAIL: the desktop entry has no StartupWMClass"; exit 1; }

. "$scripts/virtual-display.sh"
start_virtual_display
trap 'stop_virtual_display; rm -rf "$root"' EXIT
export XDG_RUNTIME_DIR=$root/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
export PATH="$root/usr/bin:$PATH"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

while read -r command_line; do
    echo "Exec=$command_line"
    read -r -a words <<<"$command_line"
    "${words[@]}" &
    program=$!
    window=
    for _ in $(seq 300); do
        window=$(wmctrl -l | awk '$NF == "Form1" {print $1; exit}')
        [ -n "$window" ] && break
        kill -0 "$program" 2>/dev/null || break
        sleep 0.1
    done
    if [ -z "$window" ]; then
        fail "'$command_line' showed no window"
        kill "$program" 2>/dev/null || true
        wait "$program" || true
        continue
    fi
    class=$(xprop -id "$window" WM_CLASS | sed -n 's/.*", "\(.*\)"$/\1/p')
    [ "$class" = "$wm_class" ] || fail "'$command_line': window class '$class', the entry says '$wm_class'"
    wmctrl -i -c "$window"
    status=0
    timeout 30 tail --pid="$program" -f /dev/null || fail "'$command_line' did not end on close"
    wait "$program" || status=$?
    [ "$status" -eq 0 ] || fail "'$command_line' exited with status $status"
done < <(sed -n 's/^Exec=//p' "$entry")

[ "$failures" -eq 0 ] || exit 1
