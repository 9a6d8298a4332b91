#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The stereogram authors
# SPDX-License-Identifier: MIT

# Static analysis of the program's sources (src/), with the project's own
# configuration, on the build's compile commands:
#
#   analyse.sh clang-tidy BUILD_DIR   the checks in .clang-tidy
#   analyse.sh clazy BUILD_DIR        the checks in tests/static/clazy.checks
#
# Prints every finding and ends with status 0 only when there is none. The
# build's own warning flags are gcc's: here they neither fail a file nor
# count, since the clang build checks the compiler's warnings.
set -euo pipefail
tool=$1 build=$2
source=$(cd "$(dirname "$0")/../.." && pwd)
[ -f "$build/compile_commands.json" ] || { echo "no compile_commands.json in $build"; exit 1; }
mapfile -t files < <(git -C "$source" ls-files 'src/*.cpp' | sed "s|^|$source/|")
relaxed=(--extra-arg=-Wno-error --extra-arg=-Wno-unknown-warning-option)
out=$(mktemp)
database=$(mktemp -d)
trap 'rm -rf "$out" "$database"' EXIT
# Without gcc's precompiled header, which clang cannot read: each file is
# analysed with what it includes itself.
sed -e 's| -Winvalid-pch||g' -e 's| -include [^ ]*/cmake_pch\.hxx||g' "$build/compile_commands.json" \
    >"$database/compile_commands.json"

case $tool in
clang-tidy)
    printf '%s\0' "${files[@]}" |
        xargs -0 -n 4 -P "$(nproc)" clang-tidy -p "$database" --quiet "${relaxed[@]}" >"$out" 2>&1 || true
    findings=$(grep -E '(warning|error): .*\]$' "$out" | sort -u | grep -c '' || true)
    ;;
clazy)
    checks=$(grep -v '^#' "$source/tests/static/clazy.checks" | tr -d ' ' | grep -v '^$' | paste -sd, -)
    printf '%s\0' "${files[@]}" |
        xargs -0 -n 4 -P "$(nproc)" clazy-standalone -p "$database" --checks="$checks" \
            --header-filter="$source/src/" --ignore-dirs="$build" "${relaxed[@]}" >"$out" 2>&1 || true
    findings=$(grep -E 'warning: .*\[-Wclazy-[a-z0-9-]+\]$' "$out" | sort -u | grep -c '' || true)
    ;;
*)
    echo "usage: analyse.sh clang-tidy|clazy BUILD_DIR" >&2
    exit 2
    ;;
esac

grep -E '(warning|error): ' "$out" | sort -u || true
echo "$tool: ${#files[@]} files, $findings finding(s)"
# A file the tool could not parse is a failure too.
if grep -qE 'error: ' "$out" && [ "$tool" = clazy ]; then
    echo "FAIL: $tool could not analyse every file"
    exit 1
fi
[ "$findings" -eq 0 ]
