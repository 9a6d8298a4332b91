#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The stereogram authors
# SPDX-License-Identifier: MIT

# Checks that an installed tree holds what a desktop needs to list and start
# the program, and that every icon is the program's icon with square pixels.
set -euo pipefail
root=$1 icon=$2
usr=$root/usr
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

[ -x "$usr/bin/stereogram" ] || fail "no executable usr/bin/stereogram"

entry=$usr/share/applications/stereogram.desktop
[ -f "$entry" ] || { fail "no desktop entry"; exit 1; }
key() { sed -n "s/^$1=//p" "$entry" | head -n 1; }

# Every Exec line, the actions' included, starts a program of this package.
while read -r command _; do
    [ -x "$usr/bin/$command" ] || fail "Exec runs '$command', which is not in usr/bin"
done < <(sed -n 's/^Exec=//p' "$entry")

icon_name=$(key Icon)
[ -n "$icon_name" ] || fail "the desktop entry names no icon"
[ -n "$(ls "$root"/usr/share/metainfo/*.metainfo.xml 2>/dev/null)" ] || fail "no AppStream metainfo"
[ -f "$usr/share/man/man1/stereogram.1.gz" ] || fail "no manual page"

# Web addresses are the project's to give at configure time; by default a
# software centre must find none to fetch. (A copyright file names the
# address of its format, which is real.)
for file in $(grep -rlI --exclude-dir=doc -E 'https?://' "$usr/share" || true); do
    fail "$file names a web address: $(grep -oE 'https?://[^<" ]*' "$file" | head -n 1)"
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for size in 32 64 128 256; do
    png=$usr/share/icons/hicolor/${size}x${size}/apps/$icon_name.png
    if [ ! -f "$png" ]; then
        fail "no ${size}x${size} icon $icon_name.png"
        continue
    fi
    actual=$(identify -format '%wx%h' "$png")
    [ "$actual" = "${size}x${size}" ] || fail "$png is $actual"
    # The source enlarged by repeating each pixel must match exactly:
    # any smoothing would blend neighbouring colours.
    convert "$icon" -sample "${size}x${size}" "$work/expected.png"
    differing=$(compare -metric AE "$work/expected.png" "$png" null: 2>&1 || true)
    [ "$differing" = 0 ] || fail "${size}x${size} icon differs from the program icon in $differing pixels"
done

[ "$failures" -eq 0 ] || exit 1
echo "installed tree complete"
