#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The stereogram authors
# SPDX-License-Identifier: MIT

# Installs what is needed, builds, and runs every test twice: in the ordinary
# build (build/), where the robustness checks run as well, and in a build with
# AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer
# (build-sanitize/), where any sanitizer report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=$(nproc)
bash scripts/install-deps.sh

failed=()
section() { printf '\n==== %s (%s)\n' "$1" "$(date -u +%H:%M:%S)"; }

section "ordinary build"
bash scripts/build.sh
section "tests in build/"
ctest --preset default -j"$jobs" || failed+=("tests in build/")

section "sanitizer build"
# A sanitizer build configured with another compiler, as older checkouts did
# with gcc: on finding the compiler changed, CMake would start the cache afresh
# without the preset's settings.
if [ -f build-sanitize/CMakeCache.txt ] && ! grep -q '^CMAKE_CXX_COMPILER:.*clang++$' build-sanitize/CMakeCache.txt; then
    cmake --preset sanitize --fresh >/dev/null
fi
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize -j"$jobs"

section "tests in build-sanitize/"
reports=$root/build-sanitize/sanitizer-reports
rm -rf "$reports" && mkdir -p "$reports"
# Every report goes to a file of its own, so that one from a process whose
# exit status nobody checks still fails the run; the exit codes tell a
# report from the program's own status 1.
export ASAN_OPTIONS="halt_on_error=1:exitcode=86:detect_leaks=1:allocator_may_return_null=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1:log_path=$reports/asan"
export LSAN_OPTIONS="suppressions=$root/tests/sanitizers/lsan.supp:print_suppressions=0:exitcode=86"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:exitcode=87:log_path=$reports/ubsan"
ctest --preset sanitize -j"$jobs" || failed+=("tests in build-sanitize/")
# A refused allocation leaves a warning there too (the widget test asks for
# a picture larger than any address space); only errors count.
errors=$(grep -l -E 'ERROR: (Address|Leak|UndefinedBehavior)Sanitizer|runtime error:' "$reports"/* 2>/dev/null || true)
if [ -n "$errors" ]; then
    for report in $errors; do
        echo "---- $report"
        cat "$report"
    done
    failed+=("sanitizer reports: $(echo "$errors" | wc -l)")
else
    echo "No sanitizer error reports ($(ls "$reports" | wc -l) log file(s) with warnings only)."
fi

section "done"
if [ ${#failed[@]} -gt 0 ]; then
    printf 'FAILED: %s\n' "${failed[@]}"
    exit 1
fi
echo "All tests passed in both builds."
