#!/usr/bin/env bash
# Compares stereogram's start-up with a minimal Qt window of the same layout:
# time from launch until the window is viewable, and peak resident memory.
#
#   bash bench/startup.sh [RUNS]        (or RUNS=N bash bench/startup.sh; default 10)
#
# SETTLE_MS (default 250) is how long each window stays up before it is closed.
# Needs the default build (stereogram, minimal-window and startup-probe in
# build/, or in $BUILD_DIR) and Xvfb, openbox, wmctrl and xprop. Runs on a
# display of its own, so it neither needs nor disturbs $DISPLAY. The two
# programs take turns, after one unmeasured run of each to warm the caches.
# Exits 0 whether or not the goals are met; non-zero when something could not
# be run.

set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BUILD_DIR:-$root/build}
runs=${1:-${RUNS:-10}}
settle_ms=${SETTLE_MS:-250}
ratio_goal=1.15
memory_goal_mib=4
expected_frame=873x735+192+120

die() {
    echo "startup.sh: $*" >&2
    exit 1
}

[[ $runs =~ ^[1-9][0-9]*$ ]] || die "the number of runs must be a positive whole number, not '$runs'"
for program in stereogram minimal-window startup-probe; do
    [[ -x $build/$program ]] || die "$build/$program is missing: build first (cmake -S . -B build && cmake --build build -j2)"
done
for tool in Xvfb openbox wmctrl xprop; do
    command -v "$tool" >/dev/null || die "$tool is not installed"
done

work=$(mktemp -d "${TMPDIR:-/tmp}/startup-bench.XXXXXX")
. "$root/scripts/virtual-display.sh"
cleanup() {
    stop_virtual_display
    rm -rf "$work"
}
unset XDG_RUNTIME_DIR # a private one comes with the display
start_virtual_display || { rm -rf "$work"; die "no virtual display"; }
trap cleanup EXIT
trap 'exit 130' INT TERM

export QT_QPA_PLATFORM=xcb

# One run: sets $result to the probe's line and appends it to $work/<program>.txt.
measure() {
    local program=$1
    if ! result=$("$build/startup-probe" -s "$settle_ms" "$build/$program" 2>>"$work/programs.log"); then
        tail -n 5 "$work/programs.log" >&2
        die "measuring $program failed"
    fi
    echo "$result" >>"$work/$program.txt"
}

measure stereogram
measure minimal-window
rm -f "$work/stereogram.txt" "$work/minimal-window.txt"

echo "Display $DISPLAY under openbox, $runs runs each, window left up ${settle_ms} ms before closing"
echo "Load average before: $(cut -d ' ' -f 1-3 /proc/loadavg) (other work on the machine skews the times)"
printf '%4s  %-14s %10s %10s  %s\n' run program mapped_ms rss_MiB "frame / closed by / status"
for ((i = 1; i <= runs; i++)); do
    for program in stereogram minimal-window; do
        measure "$program"
        awk -v run="$i" -v program="$program" '{
            for (f = 1; f <= NF; f++) { split($f, kv, "="); v[kv[1]] = kv[2] }
            printf "%4d  %-14s %10.1f %10.1f  %s %s %s\n", run, program, v["mapped_ms"],
                v["maxrss_kib"] / 1024, v["frame"], v["closed_by"], v["status"]
        }' <<<"$result"
    done
done
echo "Load average after: $(cut -d ' ' -f 1-3 /proc/loadavg)"
echo

awk -v ratio_goal="$ratio_goal" -v memory_goal="$memory_goal_mib" -v expected_frame="$expected_frame" '
function median(a, n,    i, j, t, b) {
    for (i = 1; i <= n; i++) b[i] = a[i]
    for (i = 2; i <= n; i++) for (j = i; j > 1 && b[j - 1] > b[j]; j--) { t = b[j]; b[j] = b[j - 1]; b[j - 1] = t }
    return n % 2 ? b[(n + 1) / 2] : (b[n / 2] + b[n / 2 + 1]) / 2
}
function minimum(a, n,    i, m) { m = a[1]; for (i = 2; i <= n; i++) if (a[i] < m) m = a[i]; return m }
function maximum(a, n,    i, m) { m = a[1]; for (i = 2; i <= n; i++) if (a[i] > m) m = a[i]; return m }
FNR == 1 { p = (p == "" ? "s" : "m") }
{
    for (f = 1; f <= NF; f++) { split($f, kv, "="); v[kv[1]] = kv[2] }
    n[p]++
    ms[p, n[p]] = v["mapped_ms"]
    rss[p, n[p]] = v["maxrss_kib"] / 1024
    if (v["frame"] != expected_frame) odd[p] = odd[p] " frame " v["frame"] " in run " n[p] ";"
    if (v["closed_by"] != "wm_delete" || v["status"] != "0")
        odd[p] = odd[p] " closed by " v["closed_by"] " with status " v["status"] " in run " n[p] ";"
}
END {
    split("s m", programs, " ")
    name["s"] = "stereogram"; name["m"] = "minimal-window"
    printf "%-14s %12s %10s %10s %16s\n", "program", "median_ms", "min_ms", "max_ms", "median_rss_MiB"
    for (k = 1; k <= 2; k++) {
        q = programs[k]
        delete t; delete r
        for (i = 1; i <= n[q]; i++) { t[i] = ms[q, i]; r[i] = rss[q, i] }
        med_ms[q] = median(t, n[q]); min_ms[q] = minimum(t, n[q]); med_rss[q] = median(r, n[q])
        printf "%-14s %12.1f %10.1f %10.1f %16.1f\n", name[q], med_ms[q], min_ms[q], maximum(t, n[q]), med_rss[q]
    }
    delete t
    for (i = 1; i <= n["s"]; i++) t[i] = ms["s", i] / ms["m", i]
    ratio = median(t, n["s"])
    extra = med_rss["s"] - med_rss["m"]
    print ""
    printf "time to mapped, stereogram/minimal: median of per-run ratios %.3f (ratio of medians %.3f, of minima %.3f); goal <= %s: %s\n",
        ratio, med_ms["s"] / med_ms["m"], min_ms["s"] / min_ms["m"], ratio_goal, ratio <= ratio_goal ? "met" : "NOT met"
    printf "peak memory above the minimal window: %+.1f MiB; goal <= %s MiB: %s\n",
        extra, memory_goal, extra <= memory_goal ? "met" : "NOT met"
    for (k = 1; k <= 2; k++)
        if (odd[programs[k]] != "") printf "warning: %s:%s\n", name[programs[k]], odd[programs[k]]
}' "$work/stereogram.txt" "$work/minimal-window.txt"
