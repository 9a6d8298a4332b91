#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The stereogram authors
# SPDX-License-Identifier: MIT

# Compares stereogram's start-up with a minimal Qt window of the same layout:
# time from launch until the window is viewable, peak resident memory, and
# where the time goes. Measured three times: on an X server without a window
# manager, under openbox, which tells its frame before the window is mapped,
# and under fluxbox, which tells it only once the window is mapped.
#
#   bash bench/startup.sh [RUNS]        (or RUNS=N bash bench/startup.sh; default 10)
#
# SETTLE_MS (default 250) is how long each window stays up before it is closed.
# SETTINGS (default "none openbox fluxbox") picks the window managers to
# measure under, as scripts/virtual-display.sh names them.
# Needs the default build (stereogram, stereogram-traced, minimal-window and
# startup-probe in build/, or in $BUILD_DIR) and Xvfb, openbox, fluxbox,
# wmctrl and xprop. Runs on displays of its own, so it neither needs nor disturbs
# $DISPLAY. The programs take turns, after one unmeasured run of each to warm
# the caches. Exits 0 whether or not the goals are met; non-zero when
# something could not be run.
#
# Four programs take turns: stereogram; "bare", minimal-window as it is, which
# first needs its font when it paints, after it is mapped; "bare-measuring",
# minimal-window --measure-text, which measures its text before it is shown,
# as stereogram's layout rules require of stereogram; and "traced",
# stereogram-traced, the program with a mark after each start-up step, which
# with the bare windows' own marks shows where the time goes. The goals
# compare stereogram with each bare window.

set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BUILD_DIR:-$root/build}
runs=${1:-${RUNS:-10}}
settle_ms=${SETTLE_MS:-250}
settings=${SETTINGS:-none openbox fluxbox}
ratio_goal=1.10
memory_goal_mib=2
expected_frame=873x735+192+120
programs=(stereogram bare bare-measuring traced)
declare -A command=(
    [stereogram]=stereogram
    [bare]=minimal-window
    [bare-measuring]="minimal-window --measure-text"
    [traced]=stereogram-traced
)

die() {
    echo "startup.sh: $*" >&2
    exit 1
}

[[ $runs =~ ^[1-9][0-9]*$ ]] || die "the number of runs must be a positive whole number, not '$runs'"
for program in stereogram minimal-window stereogram-traced startup-probe; do
    [[ -x $build/$program ]] || die "$build/$program is missing: build first (cmake -S . -B build && cmake --build build -j2)"
done
for tool in Xvfb wmctrl xprop; do
    command -v "$tool" >/dev/null || die "$tool is not installed"
done

work=$(mktemp -d "${TMPDIR:-/tmp}/startup-bench.XXXXXX")
. "$root/scripts/virtual-display.sh"
cleanup() {
    stop_virtual_display
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM
unset XDG_RUNTIME_DIR # a private one comes with the display
export QT_QPA_PLATFORM=xcb
# No session bus for either program: a bare Qt window would otherwise have
# libdbus start one on every run (where dbus-launch is installed), which
# stereogram does not, and the comparison would flatter stereogram.
export DBUS_SESSION_BUS_ADDRESS=disabled:

# One run: sets $result to the probe's line, with the program's stage marks
# appended as NAME_ms=T, and appends it to $work/<setting>-<program>.txt.
measure() {
    local setting=$1 program=$2 stages
    local -a words
    read -r -a words <<<"${command[$program]}"
    if ! result=$("$build/startup-probe" -s "$settle_ms" "$build/${words[0]}" "${words[@]:1}" 2>"$work/stderr"); then
        tail -n 5 "$work/stderr" >&2
        die "measuring $program failed"
    fi
    stages=$(awk -F'[ =]' '/^stage=/ {printf " %s_ms=%s", $2, $4}' "$work/stderr")
    result="$result$stages"
    echo "$result" >>"$work/$setting-$program.txt"
}

# report SETTING: the comparison and the stages, from the runs' lines.
report() {
    awk -v ratio_goal="$ratio_goal" -v memory_goal="$memory_goal_mib" -v expected_frame="$expected_frame" \
        -v setting="$1" '
function median(a, n,    i, j, t, b) {
    for (i = 1; i <= n; i++) b[i] = a[i]
    for (i = 2; i <= n; i++) for (j = i; j > 1 && b[j - 1] > b[j]; j--) { t = b[j]; b[j] = b[j - 1]; b[j - 1] = t }
    return n % 2 ? b[(n + 1) / 2] : (b[n / 2] + b[n / 2 + 1]) / 2
}
FNR == 1 { p++; name[p] = FILENAME; sub(/.*\/[^\/-]+-/, "", name[p]); sub(/\.txt$/, "", name[p]) }
{
    n[p]++
    for (f = 1; f <= NF; f++) { split($f, kv, "="); value[p, n[p], kv[1]] = kv[2] }
    if (name[p] !~ /^bare/ && value[p, n[p], "frame"] != expected_frame)
        odd[p] = odd[p] " frame " value[p, n[p], "frame"] " in run " n[p] ";"
    if (value[p, n[p], "closed_by"] != "wm_delete" || value[p, n[p], "status"] != "0")
        odd[p] = odd[p] " closed by " value[p, n[p], "closed_by"] " with status " value[p, n[p], "status"] " in run " n[p] ";"
}
END {
    # Files in the order given: stereogram, bare, bare-measuring, traced.
    printf "%-16s %10s %10s %10s %15s\n", "program", "median_ms", "min_ms", "max_ms", "median_rss_MiB"
    for (q = 1; q <= 4; q++) {
        delete t; delete r
        lo = hi = value[q, 1, "mapped_ms"]
        for (i = 1; i <= n[q]; i++) {
            t[i] = value[q, i, "mapped_ms"]; r[i] = value[q, i, "maxrss_kib"] / 1024
            if (t[i] < lo) lo = t[i]; if (t[i] > hi) hi = t[i]
        }
        ms[q] = median(t, n[q]); rss[q] = median(r, n[q])
        printf "%-16s %10.1f %10.1f %10.1f %15.1f\n", name[q], ms[q], lo, hi, rss[q]
    }

    print ""
    print "Where the time goes (medians, ms):"
    printf "%-28s %10s %16s %10s\n", "step", "traced", "bare-measuring", "bare"
    split("main qt_started window_ready mapped", stage, " ")
    split("launch to main()|QApplication constructed|window built (and drawn)|shown to viewable", label, "|")
    for (s = 1; s <= 4; s++) {
        printf "%-28s", label[s]
        for (q = 4; q >= 2; q--) {
            delete a
            for (i = 1; i <= n[q]; i++) a[i] = value[q, i, stage[s] "_ms"] - (s > 1 ? value[q, i, stage[s - 1] "_ms"] : 0)
            printf q == 3 ? " %16.1f" : " %10.1f", median(a, n[q])
        }
        printf "\n"
    }
    print ""
    for (q = 2; q <= 3; q++) {
        delete t
        for (i = 1; i <= n[1]; i++) t[i] = value[1, i, "mapped_ms"] / value[q, i, "mapped_ms"]
        ratio = median(t, n[1])
        printf "%s: time to viewable, stereogram/%s: median of per-run ratios %.3f (ratio of medians %.3f); goal <= %s: %s\n",
            setting, name[q], ratio, ms[1] / ms[q], ratio_goal, ratio <= ratio_goal ? "met" : "NOT met"
    }
    printf "%s: peak memory above the bare window: %+.1f MiB; goal <= %s MiB: %s\n",
        setting, rss[1] - rss[2], memory_goal, rss[1] - rss[2] <= memory_goal ? "met" : "NOT met"
    for (q = 1; q <= 4; q++)
        if (odd[q] != "") printf "warning: %s:%s\n", name[q], odd[q]
}' "$work/$1-stereogram.txt" "$work/$1-bare.txt" "$work/$1-bare-measuring.txt" "$work/$1-traced.txt"
}

for setting in $settings; do
    case $setting in
    none) ;;
    *) command -v "$setting" >/dev/null || die "the window manager $setting is not installed" ;;
    esac
    VIRTUAL_DISPLAY_WM=$setting start_virtual_display || die "no virtual display"
    trap cleanup EXIT
    for program in "${programs[@]}"; do
        measure "$setting" "$program"
    done
    rm -f "$work/$setting-"*.txt

    echo "== Window manager: $setting (display $DISPLAY), $runs runs each, window left up ${settle_ms} ms before closing"
    echo "Load average before: $(cut -d ' ' -f 1-3 /proc/loadavg) (other work on the machine skews the times)"
    printf '%4s  %-16s %10s %10s  %s\n' run program mapped_ms rss_MiB "frame / closed by / status"
    for ((i = 1; i <= runs; i++)); do
        for program in "${programs[@]}"; do
            measure "$setting" "$program"
            awk -v run="$i" -v program="$program" '{
                for (f = 1; f <= NF; f++) { split($f, kv, "="); v[kv[1]] = kv[2] }
                printf "%4d  %-16s %10.1f %10.1f  %s %s %s\n", run, program, v["mapped_ms"],
                    v["maxrss_kib"] / 1024, v["frame"], v["closed_by"], v["status"]
            }' <<<"$result"
        done
    done
    echo "Load average after: $(cut -d ' ' -f 1-3 /proc/loadavg)"
    echo
    report "$setting"
    echo
    stop_virtual_display
done
