#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The stereogram authors
# SPDX-License-Identifier: MIT

# How the configure reads the release from debian/changelog
# (cmake/changelogrelease.cmake): the newest entry's date as YYYY-MM-DD, and
# a stop with a clear message when its version is not the project's or its
# trailer has no date.
#   changelogrelease.sh CMAKE SOURCE
set -euo pipefail
cmake=$1 source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cat >"$work/read.cmake" <<EOF
include("$source/cmake/changelogrelease.cmake")
stereogram_changelog_release("\${CHANGELOG}" "\${PROJECT_VERSION}" date)
message(STATUS "date: \${date}")
EOF

# An older entry below the newest, which must not be the one read.
older=$(
    cat <<'EOF'
stereogram (0.9) unstable; urgency=medium

  * An older release.

 -- stereogram maintainers <maintainers@users.noreply.example>  Wed, 25 Nov 2026 08:00:00 +0000
EOF
)

# name | the newest entry's version | its trailer's date | the project's version | the date read, or the failure's words
while IFS='|' read -r name version date project expected; do
    changelog=$work/$name.changelog
    printf '%s\n\n  * A release.\n\n -- stereogram maintainers <maintainers@users.noreply.example>  %s\n\n%s\n' \
        "stereogram ($version) unstable; urgency=medium" "$date" "$older" >"$changelog"
    status=0
    "$cmake" -DCHANGELOG="$changelog" -DPROJECT_VERSION="$project" -P "$work/read.cmake" >"$work/$name.log" 2>&1 \
        || status=$?
    if [[ $expected =~ ^[0-9]{4}-[0-9]{2}-[0-9]{2}$ ]]; then
        if [ "$status" -ne 0 ]; then
            fail "$name: failed: $(cat "$work/$name.log")"
        elif ! grep -qx -- "-- date: $expected" "$work/$name.log"; then
            fail "$name: read $(sed -n 's/^-- date: //p' "$work/$name.log"), not $expected"
        fi
    elif [ "$status" -eq 0 ]; then
        fail "$name: succeeded with $(sed -n 's/^-- date: //p' "$work/$name.log") instead of failing"
    elif ! tr -s ' \n' ' ' <"$work/$name.log" | grep -qF -- "$expected"; then
        fail "$name: failed, but not saying '$expected': $(cat "$work/$name.log")"
    fi
    echo "$name: status $status"
done <<'EOT'
the-newest-entry-gives-the-date|1.1|Mon, 01 Feb 2027 09:30:00 +0100|1.1|2027-02-01
a-one-digit-day-gets-a-leading-zero|1.0|Tue, 2 Mar 2027 12:00:00 +0000|1.0|2027-03-02
september-is-month-09|1.0|Wed, 15 Sep 2027 12:00:00 +0000|1.0|2027-09-15
december-is-month-12|1.0|Thu, 31 Dec 2026 23:59:59 +0000|1.0|2026-12-31
the-day-is-the-one-written-not-the-day-in-utc|1.0|Fri, 01 Jan 2027 00:30:00 +0900|1.0|2027-01-01
a-date-without-its-weekday-still-reads|1.0|10 Dec 2026 12:00:00 +0000|1.0|2026-12-10
a-version-other-than-the-projects-stops-the-configure|1.1|Mon, 01 Feb 2027 09:30:00 +0000|1.0|the newest entry is version 1.1, but project() in CMakeLists.txt says 1.0
a-debian-revision-is-no-project-version|1.0-1|Mon, 01 Feb 2027 09:30:00 +0000|1.0|the newest entry is version 1.0-1
a-trailer-without-a-date-stops-the-configure|1.0|2027-02-01|1.0|has no date of the form
a-month-by-number-stops-the-configure|1.0|Mon, 01 02 2027 09:30:00 +0000|1.0|has no date of the form
EOT

[ "$failures" -eq 0 ] || exit 1
