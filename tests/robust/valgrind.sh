#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The stereogram authors
# SPDX-License-Identifier: MIT

# One whole run of the program under valgrind's memcheck, from start to the
# window manager's close request: no invalid access, no use of uninitialised
# memory, and no block definitely lost, apart from the suppressed ones that
# belong to the system's libraries.
#
#   valgrind.sh PROGRAM SUPPRESSIONS
set -u
program=$1
suppressions=$2
. "$(dirname "$0")/lib.sh"
display_up
export QT_QPA_PLATFORM=xcb

log=$work/memcheck.log
# The forked child of libdbus's session-bus autolaunch only execs a helper; it
# is silenced so that its copy of the heap, whose threads are gone, is not
# reported as leaked.
launch valgrind --tool=memcheck --error-exitcode=99 \
    --leak-check=full --show-leak-kinds=definite --errors-for-leak-kinds=definite \
    --suppressions="$suppressions" --gen-suppressions=all --child-silent-after-fork=yes \
    --num-callers=40 --log-file="$log" "$program"
started=$SECONDS
if wait_for_window 240; then
    echo "window shown after $((SECONDS - started)) s"
    close_window wmctrl
    wait_for_exit 240
    [ "$status" = 0 ] || fail "ended with $(describe_status)"
else
    wait_for_exit 5
    fail "no window appeared ($(describe_status)); stderr: $(head -c 600 "$work/err")"
fi
echo "ended after $((SECONDS - started)) s"
grep -E 'ERROR SUMMARY|definitely lost:|indirectly lost:|possibly lost:|suppressed:' "$log" | sed 's/^==[0-9]*== *//'
if [ "$failures" -ne 0 ]; then
    echo "---- memcheck log ----"
    cat "$log"
fi
finish
