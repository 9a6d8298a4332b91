#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The stereogram authors
# SPDX-License-Identifier: MIT

# Checks the control fields of the package in DIR: name, version, the
# machine's architecture, a dependency on every Qt library the program links,
# and one on a package with a Japanese font, the face of its texts.
set -euo pipefail
dir=$1 version=$2
deb=$(ls "$dir"/stereogram_*.deb)
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
field() { dpkg-deb --field "$deb" "$1"; }

dpkg-deb --info "$deb"
[ "$(field Package)" = stereogram ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', not $version"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "Architecture is '$(field Architecture)'"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ -n "$(field Section)" ] || fail "no Section"

# One line per dependency, its alternatives separated by spaces, versions dropped.
depends=$(field Depends | tr ',' '\n' | sed 's/([^)]*)//g; s/|/ /g; s/^ *//; s/ *$//; s/  */ /g')
extract=$(mktemp -d)
trap 'rm -rf "$extract"' EXIT
dpkg-deb -x "$deb" "$extract"
libraries=0
for library in $(objdump -p "$extract/usr/bin/stereogram" | awk '/NEEDED/ && /Qt6/ {print $2}'); do
    libraries=$((libraries + 1))
    package=$(dpkg -S "*/$library" | head -n 1 | cut -d: -f1)
    grep -qx "$package" <<<"$depends" || fail "Depends lacks $package, which holds $library"
done
[ "$libraries" -gt 0 ] || fail "the program links no Qt library?"

# Of the alternatives, those installed here must show what they hold.
japanese=
while read -r -a alternatives; do
    for package in "${alternatives[@]}"; do
        for font in $(dpkg -L "$package" 2>/dev/null | grep -E '\.(ttf|otf|ttc)$'); do
            if fc-query --format '%{lang}\n' "$font" | tr '|' '\n' | grep -qx ja; then
                japanese="$package ($font)"
                break 3
            fi
        done
    done
done <<<"$depends"
[ -n "$japanese" ] && echo "Japanese font from Depends: $japanese" || fail "Depends names no installed package with a Japanese font"

[ "$failures" -eq 0 ] || exit 1
