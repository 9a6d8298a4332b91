#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The stereogram authors
# SPDX-License-Identifier: MIT

# Builds the Debian package as a packager does, with dpkg-buildpackage from a
# copy of the project's files (those git tracks or would track), so that the
# work tree stays clean: OUT/first then holds the .changes, .buildinfo, .deb
# and .ddeb, and OUT/source.tar the copy, for a second build to compare with.
set -euo pipefail
source=$1 out=$2
rm -rf "$out"
mkdir -p "$out/first/stereogram"
git -C "$source" ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' file; do [ -e "$source/$file" ] && printf '%s\0' "$file"; done |
    tar -C "$source" --null --no-recursion -T - -cf "$out/source.tar"
tar -C "$out/first/stereogram" -xf "$out/source.tar"

log=$out/first/build.log
if ! (cd "$out/first/stereogram" && DEB_BUILD_OPTIONS="parallel=$(nproc)" dpkg-buildpackage -us -uc -b) >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "FAIL: dpkg-buildpackage failed; the whole log is $log"
    exit 1
fi
rm -rf "$out/first/stereogram"

# dh_auto_test must have run the unit tests, not quietly nothing.
summary=$(grep -E '^[0-9]+% tests passed, 0 tests failed out of [0-9]+' "$log" || true)
echo "dh_auto_test: ${summary:-no test summary}"
[ -n "$summary" ] && [ "${summary##* }" -gt 0 ] || { echo "FAIL: dh_auto_test ran no unit tests"; exit 1; }
grep -q -- '-L unit' "$log" || { echo "FAIL: dh_auto_test did not select the unit tests"; exit 1; }
ls "$out/first"
