#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The stereogram authors
# SPDX-License-Identifier: MIT

# Runs the package's own tests (debian/tests) with autopkgtest, as Debian's CI
# does, on this machine: the package built in DIR is installed here, with
# what the tests depend on, and tested from a copy of the sources. A package
# that was not installed before is removed again afterwards.
#
#   autopkgtest.sh DIR
#
# DIR holds first/ (the .deb) and source.tar, as buildpackage.sh leaves them.
# AUTOPKGTEST_KEEP=FILE keeps autopkgtest's whole log there.
# Installing needs root: as another user the check is skipped (status 77).
set -euo pipefail
dir=$1
if [ "$(id -u)" -ne 0 ]; then
    echo "SKIP: autopkgtest installs the package on this machine, which needs root"
    exit 77
fi
deb=$(ls "$dir"/first/stereogram_*.deb)
work=$(mktemp -d)
AUTOPKGTEST_KEEP=${AUTOPKGTEST_KEEP:-}
installed_before=$(dpkg-query -W -f='${Status}' stereogram 2>/dev/null | grep -c 'install ok installed' || true)
cleanup() {
    [ "$installed_before" = 1 ] || dpkg -r stereogram >/dev/null 2>&1 || true
    if [ -n "$AUTOPKGTEST_KEEP" ]; then cp "$work/log" "$AUTOPKGTEST_KEEP"; fi
    rm -rf "$work"
}
trap cleanup EXIT

mkdir "$work/source"
tar -C "$work/source" -xf "$dir/source.tar"
status=0
autopkgtest --output-dir "$work/out" "$deb" "$work/source" -- null >"$work/log" 2>&1 || status=$?
# Each test's verdict, as autopkgtest writes it when the test ends.
grep -E '^[a-z-]+ +(PASS|FAIL|SKIP|FLAKY)' "$work/log" | sort -u || true
if [ "$status" -ne 0 ]; then
    tail -n 80 "$work/log"
    echo "FAIL: autopkgtest ended with status $status"
    exit 1
fi
for test in version shows-the-picture desktop-files; do
    grep -Eq "^$test +PASS" "$work/log" || { echo "FAIL: $test did not pass"; exit 1; }
done
