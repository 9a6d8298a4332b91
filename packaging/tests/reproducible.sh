#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The stereogram authors
# SPDX-License-Identifier: MIT

# Builds the package a second time from the same copy of the sources, in
# another directory, on another day, in another time zone, locale and umask,
# and without the tests (Debian's nocheck must not change a package), and
# fails unless every .deb, the debug symbols' too, is byte for byte the first build's.
#   reproducible.sh OUT      (OUT as left by buildpackage.sh)
set -euo pipefail
out=$1
first=$out/first second=$out/second
built=$second/elsewhere/in/a/deeper/place
dir=$built/stereogram-rebuilt
rm -rf "$second"
mkdir -p "$dir"
tar -C "$dir" -xf "$out/source.tar"

log=$second/build.log
if ! (cd "$dir" && umask 0002 && TZ=Asia/Tokyo LANG=C.UTF-8 LC_ALL=C.UTF-8 \
    DEB_BUILD_OPTIONS="nocheck parallel=$(nproc)" DEB_BUILD_PROFILES=nocheck \
    faketime -f '+400d' dpkg-buildpackage -us -uc -b) >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "FAIL: the second dpkg-buildpackage failed; the whole log is $log"
    exit 1
fi
rm -rf "$dir"

failures=0
packages=$(cd "$first" && ls -- *.deb)
[ "$packages" = "$(cd "$built" && ls -- *.deb)" ] || { echo "FAIL: the builds made different packages"; exit 1; }
for package in $packages; do
    if cmp "$first/$package" "$built/$package"; then
        echo "identical: $package"
    else
        failures=$((failures + 1))
        diffoscope --text - "$first/$package" "$built/$package" | head -n 200 || true
    fi
done
[ "$failures" -eq 0 ] || { echo "FAIL: $failures package(s) differ between the two builds"; exit 1; }
