#!/usr/bin/env bash
# Launch to the window manager's frame mapped, for the calculator and minimal_window taking turns
# (round robin) under Xvfb + openbox: the X server reports the map (bench/map_watch), so the
# figure has none of the polling delay of the "launch to window visible" loop in startup.sh.
# Usage: bench/mapped.sh [build dir, default build/release] [runs, default 30]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
runs=${2:-30}
source bench/xsession.sh
for _ in $(seq "$runs"); do
    for prog in "$build/shell/zorbic" "$build/bench/minimal_window"; do
        "$build/bench/map_watch" "$prog" >>"$work/$(basename "$prog")"
    done
done
echo "launch to frame mapped, ms (median of $runs, round robin; min..max)"
for name in zorbic minimal_window; do
    printf "  %-16s %s  (%s..%s)\n" "$name" "$(median <"$work/$name")" \
        "$(sort -n "$work/$name" | head -1)" "$(sort -n "$work/$name" | tail -1)"
done
awk -v z="$(median <"$work/zorbic")" -v m="$(median <"$work/minimal_window")" \
    'BEGIN { printf "  zorbic / minimal_window: %.2f\n", z / m }'
