#!/usr/bin/env bash
# Installs what is needed, builds, and starts the program. On a machine without
# a display it shows the window on a virtual one instead, saves a screenshot of
# it, says where, and closes the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    exec ./build/stereogram
fi

. scripts/virtual-display.sh
start_virtual_display
[ -n "${XDG_RUNTIME_DIR:-}" ] || export XDG_RUNTIME_DIR="$(mktemp -d)" # where Qt expects one
./build/stereogram &
program=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Form1$' | head -n 1)
sleep 1 # let the first paint reach the screen

# The frame, title bar and border included, as the window manager drew it.
read -r x y width height < <(xwininfo -id "$window" | awk '
    /Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /^ *Width/ {w=$NF} /^ *Height/ {h=$NF} END {print x, y, w, h}')
read -r left right top bottom < <(xprop -id "$window" _NET_FRAME_EXTENTS | tr -d ',' | awk '{print $3, $4, $5, $6}')
screenshot="$PWD/build/stereogram-screenshot.png"
import -window root -crop "$((width + left + right))x$((height + top + bottom))+$((x - left))+$((y - top))" +repage "$screenshot"

wmctrl -c Form1
wait "$program"
echo "There is no display here, so the program ran on a virtual one."
echo "Screenshot of its window: $screenshot"
