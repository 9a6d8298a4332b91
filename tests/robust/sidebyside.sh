#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The stereogram authors
# SPDX-License-Identifier: MIT

# Runs rows of surroundings.sh at the same time, each on a display of its own,
# then prints what each saw, row by row. For the rows that hold a start up:
# they spend their time waiting, not working, so together they take as long
# as the longest of them.
#
#   sidebyside.sh PROGRAM ROW...
#
# Ends with status 0 only when every row did.
set -u
program=$1
shift
here=$(dirname "$0")
out=$(mktemp -d "${TMPDIR:-/tmp}/stereogram-sidebyside.XXXXXX")
trap 'rm -rf "$out"' EXIT

pids=()
for row; do
    bash "$here/surroundings.sh" "$row" "$program" >"$out/$row" 2>&1 &
    pids+=($!)
done

failed=0
index=0
for row; do
    wait "${pids[index]}"
    status=$?
    index=$((index + 1))
    echo "== $row: status $status"
    cat "$out/$row"
    [ "$status" -eq 0 ] || failed=$((failed + 1))
done
[ "$failed" -eq 0 ] || { echo "$failed row(s) failed"; exit 1; }
