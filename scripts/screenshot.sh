#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The stereogram authors
# SPDX-License-Identifier: MIT

# Builds the program, shows its window on a virtual X display under openbox,
# saves a screenshot of the window with its frame, and closes the program.
#   bash scripts/screenshot.sh [OUTPUT.png]    (default: docs/screenshot.png)
set -euo pipefail
cd "$(dirname "$0")/.."
output=$(realpath -m "${1:-docs/screenshot.png}")

bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target stereogram -j"$(nproc)"

. scripts/virtual-display.sh
start_virtual_display
[ -n "${XDG_RUNTIME_DIR:-}" ] || export XDG_RUNTIME_DIR="$(mktemp -d)" # where Qt expects one
./build/stereogram &
program=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Form1$' | head -n 1)

# The frame, title bar and border included, as the window manager drew it.
read -r x y width height < <(xwininfo -id "$window" | awk '
    /Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /^ *Width/ {w=$NF} /^ *Height/ {h=$NF} END {print x, y, w, h}')
read -r left right top bottom < <(xprop -id "$window" _NET_FRAME_EXTENTS | tr -d ',' | awk '{print $3, $4, $5, $6}')
mkdir -p "$(dirname "$output")"
# Without the time chunks the same picture gives the same file.
shoot() {
    import -window root -crop "$((width + left + right))x$((height + top + bottom))+$((x - left))+$((y - top))" +repage \
        -define png:exclude-chunk=date,time "png:$1"
}
# The first paint has reached the screen once two shots in a row agree.
shoot "$output"
for _ in $(seq 50); do
    shoot "$output.next"
    if cmp -s "$output" "$output.next"; then break; fi
    mv "$output.next" "$output"
done
rm -f "$output.next"

wmctrl -c Form1
wait "$program"
echo "Screenshot of the window: $output"
