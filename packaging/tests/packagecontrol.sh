#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The stereogram authors
# SPDX-License-Identifier: MIT

# Checks the control fields of the package in DIR: name, version, the
# machine's architecture, and a dependency on every Qt library the program
# links and on its Japanese font.
set -euo pipefail
dir=$1 version=$2
deb=$(ls "$dir"/*.deb)
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
field() { dpkg-deb --field "$deb" "$1"; }

dpkg-deb --info "$deb"
[ "$(field Package)" = stereogram ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', not $version"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "Architecture is '$(field Architecture)'"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ -n "$(field Section)" ] || fail "no Section"

depends=$(field Depends | tr ',' '\n' | sed 's/^ *//; s/ .*//')
needed=(fonts-ipafont-gothic)
extract=$(mktemp -d)
trap 'rm -rf "$extract"' EXIT
dpkg-deb -x "$deb" "$extract"
for library in $(objdump -p "$extract/usr/bin/stereogram" | awk '/NEEDED/ && /Qt6/ {print $2}'); do
    needed+=("$(dpkg -S "*/$library" | head -n 1 | cut -d: -f1)")
done
[ ${#needed[@]} -gt 1 ] || fail "the program links no Qt library?"
for package in "${needed[@]}"; do
    grep -qx "$package" <<<"$depends" || fail "Depends lacks $package"
done

[ "$failures" -eq 0 ] || exit 1
