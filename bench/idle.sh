#!/usr/bin/env bash
# Idle wake-ups under Xvfb + openbox: the calculator (on a full data file) and minimal_window
# run side by side, untouched, and each is sampled over the same period: voluntary context
# switches of all its threads (/proc/<pid>/task/*/status) and CPU time (/proc/<pid>/stat).
#  1. "behind": another window is in front, as while the user works elsewhere.
#  2. "in front": the calculator is the active window (its caret blinks, as any focused text
#     box does; minimal_window has no text box).
# The X server's own context switches over each period are shown too.
# Usage: bench/idle.sh [build dir, default build/release] [seconds per period, default 30]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
seconds=${2:-30}
source bench/xsession.sh

threads() { # pid: "tid switches" for every thread
    for task in /proc/"$1"/task/*; do
        awk -v t="${task##*/}" '/^voluntary_ctxt_switches/ {print t, $2}' "$task/status" 2>/dev/null
    done
}
# Switches between two samples of threads(), counting only threads alive at both.
delta() { awk 'NR == FNR {a[$1] = $2; next} ($1 in a) {s += $2 - a[$1]} END {print s + 0}' "$1" "$2"; }
cputicks() { # pid: user + system time in clock ticks
    awk '{print $14 + $15}' /proc/"$1"/stat
}

ZORBIC_STARTUP_STAY=1 "$build/shell/zorbic" >/dev/null 2>&1 &
zorbic=$!
session_pids+=($zorbic)
wait_visible "Zorbic Zorbic Works"
ZORBIC_STARTUP_STAY=1 "$build/bench/minimal_window" >/dev/null 2>&1 &
minimal=$!
session_pids+=($minimal)
wait_visible "^minimal_window$"
# The window in front during the first period: a second minimal_window, renamed.
ZORBIC_STARTUP_STAY=1 "$build/bench/minimal_window" >/dev/null 2>&1 &
holder=$!
session_pids+=($holder)
for _ in $(seq 400); do
    holder_window=$(xdotool search --onlyvisible --pid $holder 2>/dev/null | head -1) && break
    sleep 0.05
done
xdotool windowactivate --sync "$holder_window"

tick=$(getconf CLK_TCK)
measure() { # label
    sleep 2 # let start-up and activation settle
    local zc0 mc0 zc1 mc1
    threads $zorbic >"$work/z0"; threads $minimal >"$work/m0"; threads $xvfb >"$work/x0"
    zc0=$(cputicks $zorbic); mc0=$(cputicks $minimal)
    sleep "$seconds"
    threads $zorbic >"$work/z1"; threads $minimal >"$work/m1"; threads $xvfb >"$work/x1"
    zc1=$(cputicks $zorbic); mc1=$(cputicks $minimal)
    echo "$1, ${seconds} s idle: wake-ups per second (voluntary context switches), CPU ms"
    awk -v s="$seconds" -v t="$tick" -v z="$(delta "$work/z0" "$work/z1")" \
        -v m="$(delta "$work/m0" "$work/m1")" -v x="$(delta "$work/x0" "$work/x1")" \
        -v zc=$((zc1 - zc0)) -v mc=$((mc1 - mc0)) 'BEGIN {
        printf "  %-16s %6.2f /s  %5d ms CPU\n", "zorbic", z / s, zc * 1000 / t
        printf "  %-16s %6.2f /s  %5d ms CPU\n", "minimal_window", m / s, mc * 1000 / t
        printf "  %-16s %6.2f /s\n", "Xvfb", x / s }'
}
measure "behind (another window in front)"
xdotool windowactivate --sync "$(xdotool search --onlyvisible --name "Zorbic Zorbic Works" | head -1)"
measure "in front (calculator active)"
