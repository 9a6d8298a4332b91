#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The stereogram authors
# SPDX-License-Identifier: MIT

# What a packager's configure needs and gives. With the tests and benchmarks
# off, it must succeed where Qt Test, GoogleTest and Google Benchmark cannot
# be found (CMake is told that they are not there); each of them turned on
# must then fail, which shows that the packages really were out of reach. The
# home page and screenshot given at configure time go into a metainfo that
# still validates.
#   configure.sh SOURCE WORK
set -euo pipefail
source=$1 work=$2
rm -rf "$work"
mkdir -p "$work"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

without=(-DCMAKE_DISABLE_FIND_PACKAGE_Qt6Test=ON -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON
    -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON)
homepage=https://stereogram.test/
screenshot=https://stereogram.test/screenshot.png

# name | options | the configure succeeds, or the package its failure names
while IFS='|' read -r name options expected; do
    read -r -a options <<<"$options"
    status=0
    cmake -S "$source" -B "$work/$name" "${without[@]}" "${options[@]}" >"$work/$name.log" 2>&1 || status=$?
    if [ "$expected" = succeeds ]; then
        [ "$status" -eq 0 ] || { tail -n 20 "$work/$name.log"; fail "$name: configure failed"; }
    elif [ "$status" -eq 0 ]; then
        fail "$name: configure succeeded although $expected is out of reach"
    elif ! grep -q "$expected" "$work/$name.log"; then
        tail -n 20 "$work/$name.log"
        fail "$name: configure failed, but not for want of $expected"
    fi
    echo "$name: status $status"
done <<EOT
no-tests|-DBUILD_TESTING=OFF -DSTEREOGRAM_HOMEPAGE_URL=$homepage -DSTEREOGRAM_SCREENSHOT_URL=$screenshot|succeeds
tests|-DBUILD_TESTING=ON|Qt6Test
tests-with-qt-test|-DBUILD_TESTING=ON -DCMAKE_DISABLE_FIND_PACKAGE_Qt6Test=OFF|GTest
benchmarks|-DBUILD_TESTING=OFF -DSTEREOGRAM_BENCHMARKS=ON|benchmark
EOT

metainfo=$(ls "$work"/no-tests/packaging/*.metainfo.xml 2>/dev/null || true)
if [ -n "$metainfo" ]; then
    grep -qF "<url type=\"homepage\">$homepage</url>" "$metainfo" || fail "the metainfo lacks the home page given"
    grep -qF "<image>$screenshot</image>" "$metainfo" || fail "the metainfo lacks the screenshot given"
    appstreamcli validate --no-net --pedantic "$metainfo" | tee "$work/validate.log"
    grep -q 'Validation was successful\.' "$work/validate.log" || fail "the metainfo with addresses does not validate"
else
    fail "no metainfo configured"
fi
[ "$failures" -eq 0 ] || exit 1
