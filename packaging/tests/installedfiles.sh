#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The stereogram authors
# SPDX-License-Identifier: MIT

# Checks that an installed tree holds what a desktop needs to list and start
# the program, and that the icon is there at every size a panel or a menu asks
# for, each the same emblem on a transparent ground.
#   installedfiles.sh ROOT IMAGES CHANGELOG
set -euo pipefail
root=$1 images=$2 changelog=$3
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

# The manual page and the metainfo name the release as dpkg reads it from the
# newest entry of the changelog: its version, and its day as written there.
version=$(dpkg-parsechangelog -l "$changelog" -S Version)
day=$(date -d "$(dpkg-parsechangelog -l "$changelog" -S Date | sed -E 's/ [0-9:]+ [-+][0-9]{4}$//')" +%F)
heading=$(zcat "$usr/share/man/man1/stereogram.1.gz" 2>/dev/null | grep -m 1 '^\.TH ' || true)
[ "$heading" = ".TH STEREOGRAM 1 $day \"stereogram $version\" \"User Commands\"" ] \
    || fail "the manual page's heading is '$heading', not of release $version of $day"
release=$(grep -ho '<release [^>]*>' "$root"/usr/share/metainfo/*.metainfo.xml 2>/dev/null || true)
[ "$release" = "<release version=\"$version\" date=\"$day\"/>" ] \
    || fail "the metainfo names the release '$release', not $version of $day"

# Web addresses are the project's to give at configure time; by default a
# software centre must find none to fetch. (A copyright file names the
# address of its format, which is real; XML namespaces are names, not
# addresses anything fetches.)
for file in $(grep -rlI --exclude-dir=doc -E 'https?://' "$usr/share" || true); do
    address=$(sed -E 's/xmlns(:[A-Za-z]+)?="[^"]*"//g' "$file" | grep -oE 'https?://[^<" ]*' | head -n 1 || true)
    [ -z "$address" ] || fail "$file names a web address: $address"
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
hicolor=$usr/share/icons/hicolor
drawing=$hicolor/scalable/apps/$icon_name.svg
svg11=/usr/share/xml/w3c-sgml-lib/schema/dtd/REC-SVG11-20110816/svg11.dtd
if [ -f "$drawing" ]; then
    xmllint --noout --nonet --dtdvalid "$svg11" "$drawing" 2>"$work/invalid" \
        || fail "$drawing is not valid SVG 1.1: $(head -n 3 "$work/invalid")"
else
    fail "no scalable icon $icon_name.svg"
fi

# The emblem's outline, as opaque or not, at SIZE pixels.
silhouette() { convert "$1" -alpha extract -threshold 50% "$2"; }

# The sizes below 48 are drawn again pixel by pixel: their silhouettes may
# differ from the drawing's along the edges, in no more than a tenth of the square.
for size in 16 22 24 32 48 64 128 256; do
    png=$hicolor/${size}x${size}/apps/$icon_name.png
    if [ ! -f "$png" ]; then
        fail "no ${size}x${size} icon $icon_name.png"
        continue
    fi
    read -r width height channels corners < <(convert "$png" \
        -format '%w %h %[channels] %[fx:p{0,0}.a+p{w-1,0}.a+p{0,h-1}.a+p{w-1,h-1}.a]\n' info:) || true
    [ "${width}x$height" = "${size}x$size" ] || fail "$png is ${width}x$height"
    [[ $channels == *a ]] || fail "$png has no alpha channel ($channels)"
    [ "$corners" = 0 ] || fail "$png does not have transparent corners"
    [ -f "$drawing" ] || continue
    rsvg-convert --width="$size" --height="$size" --output="$work/drawn.png" "$drawing"
    silhouette "$work/drawn.png" "$work/expected.png"
    silhouette "$png" "$work/actual.png"
    differing=$(compare -metric AE "$work/expected.png" "$work/actual.png" null: 2>&1 || true)
    [[ $differing =~ ^[0-9]+$ ]] && [ $((differing * 10)) -le $((size * size)) ] \
        || fail "${size}x${size} icon's emblem differs from the drawing's in $differing pixels"
done

# A menu shows the same 16 and 32 pixel pictures as the window's title bar and task bar.
for window_icon in 16:mainicon16.xpm 32:mainicon.xpm; do
    size=${window_icon%%:*}
    png=$hicolor/${size}x${size}/apps/$icon_name.png
    [ -f "$png" ] || continue
    differing=$(compare -metric AE "$images/${window_icon#*:}" "$png" null: 2>&1 || true)
    [ "$differing" = 0 ] || fail "${size}x${size} icon differs from the window's in $differing pixels"
done

[ "$failures" -eq 0 ] || exit 1
echo "installed tree complete"
