#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The stereogram authors
# SPDX-License-Identifier: MIT

# Checks with hardening-check that the packaged program in DIR is built with
# every hardening feature: position-independent, stack protector, fortified
# functions, read-only relocations, immediate binding, stack clash and
# control-flow protection.
#
# Three verdicts depend on more than our build, and where they do, what the
# compiler was told stands in for them:
# - stack clash protection shows only in a frame large enough to need
#   probes, so "unknown" is allowed;
# - the fortified functions show only where a call's buffer size is known
#   but not proven large enough; where every call is proven safe or has no
#   known size, "only unprotected functions" is allowed, provided the build
#   log (DIR/build.log) shows every compilation with _FORTIFY_SOURCE;
# - the linker marks a program as control-flow protected only when every
#   object it links is; where the C library's start files are not (as on
#   Debian 12), "no" is allowed.
# In every case the debug symbols must show every compilation unit of ours
# built with -fstack-clash-protection and -fcf-protection.
set -euo pipefail
dir=$1
deb=$(ls "$dir"/stereogram_*.deb)
dbgsym=$(ls "$dir"/stereogram-dbgsym_*.deb)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work/root"
dpkg-deb -x "$dbgsym" "$work/debug"
program=$work/root/usr/bin/stereogram
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

report=$(hardening-check "$program" || true)
echo "$report"
verdict() { sed -n "s/^ $1: //p" <<<"$report"; }
for feature in "Position Independent Executable" "Stack protected" "Read-only relocations" "Immediate binding"; do
    [ "$(verdict "$feature")" = yes ] || fail "$feature: $(verdict "$feature")"
done
case $(verdict "Fortify Source functions") in
    yes) ;;
    "no, only unprotected functions found!")
        compiles=$(grep -cE '/c\+\+ .* -c \S+\.cpp$' "$dir/build.log" || true)
        unfortified=$(grep -E '/c\+\+ .* -c \S+\.cpp$' "$dir/build.log" | grep -cvE -- '-D_FORTIFY_SOURCE=[23]' || true)
        if [ "$compiles" -gt 0 ] && [ "$unfortified" -eq 0 ]; then
            echo "Fortify Source functions: no call needed a check;" \
                "all $compiles compilations in the build had _FORTIFY_SOURCE"
        else
            fail "Fortify Source functions: $unfortified of $compiles compilations lacked _FORTIFY_SOURCE"
        fi
        ;;
    *) fail "Fortify Source functions: $(verdict "Fortify Source functions")" ;;
esac
case $(verdict "Stack clash protection") in
    yes | "unknown, no -fstack-clash-protection instructions found") ;;
    *) fail "Stack clash protection: $(verdict "Stack clash protection")" ;;
esac

# The compiler's options as each compilation unit records them, ours alone:
# those whose source is one of the project's files.
debug=$(find "$work/debug/usr/lib/debug" -name '*.debug' | head -n 1)
[ -n "$debug" ] || fail "no debug symbols in $dbgsym"
readelf --debug-dump=info "$debug" 2>/dev/null | awk '
    /DW_TAG_compile_unit/ {unit = 1; producer = ""; next}
    unit && /DW_AT_producer/ {sub(/.*DW_AT_producer *: *(\(indirect[^)]*\): *)?/, ""); producer = $0}
    unit && /DW_AT_name/ {sub(/.*DW_AT_name *: *(\(indirect[^)]*\): *)?/, ""); print $0 "\t" producer; unit = 0}
' >"$work/units"
ours=$(grep -cE '^\./(src|obj-[^/]*)/' "$work/units" || true)
echo "compilation units of ours in the debug symbols: $ours"
[ "$ours" -gt 0 ] || fail "no compilation unit of ours found in the debug symbols"
for option in -fstack-clash-protection -fcf-protection; do
    missing=$(grep -E '^\./(src|obj-[^/]*)/' "$work/units" | grep -v -- "$option" | cut -f1 || true)
    [ -z "$missing" ] || fail "built without $option: $(echo $missing)"
done

if [ "$(verdict "Control flow integrity")" != yes ]; then
    start_file=$(g++ -print-file-name=Scrt1.o)
    if readelf -n "$start_file" | grep -q 'x86 feature: IBT, SHSTK'; then
        fail "Control flow integrity: $(verdict "Control flow integrity"), although $start_file allows it"
    else
        echo "Control flow integrity: not marked, since $start_file has no IBT and SHSTK property" \
            "(our units' -fcf-protection is checked above)"
    fi
fi

[ "$failures" -eq 0 ] || exit 1
