#!/usr/bin/env bash
# Start-up timing under Xvfb + openbox, on a display of its own, the programs taking turns
# (round robin) so that a change of load on the machine hits every program alike.
#  1. From inside: process start -> first paint (/proc/self/stat start time), for the calculator
#     (startup_zorbic: the program's own start-up sequence) and for minimal_window.
#  2. From outside: launch -> window mapped and visible (a tight loop of
#     xdotool search --onlyvisible; "--sync" itself polls only every half second),
#     for zorbic, minimal_window and, when installed, speedcrunch and galculator.
# The calculator starts on a full data file: 1,000 history and 500 storage rows.
# Usage: bench/startup.sh [build dir, default build/release] [runs, default 10]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
runs=${2:-10}
source bench/xsession.sh

report() { # name, file of times
    printf "  %-16s %s  (%s..%s)\n" "$1" "$(median <"$2")" "$(sort -n "$2" | head -1)" \
        "$(sort -n "$2" | tail -1)"
}

echo "first paint, ms after process start (median of $runs, round robin; min..max)"
for _ in $(seq "$runs"); do
    for prog in startup_zorbic minimal_window; do
        "$build/bench/$prog" 2>/dev/null | awk '/first paint/ {print $3}' >>"$work/paint-$prog"
    done
done
for prog in startup_zorbic minimal_window; do report "$prog" "$work/paint-$prog"; done

echo "launch to window visible, ms from outside (median of $runs, round robin; min..max)"
mapped() { # name-pattern, command...
    local pattern=$1; shift
    local start end pid
    start=$(date +%s%N)
    ZORBIC_STARTUP_STAY=1 "$@" >/dev/null 2>&1 &
    pid=$!
    until xdotool search --onlyvisible --name "$pattern" >/dev/null 2>&1; do :; done
    end=$(date +%s%N)
    kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true
    echo $(( (end - start) / 1000000 ))
}
declare -A programs=(
    [zorbic]="Zorbic Zorbic Works|$build/shell/zorbic"
    [minimal_window]="minimal_window|$build/bench/minimal_window"
    [speedcrunch]="SpeedCrunch|speedcrunch"
    [galculator]="galculator|galculator"
)
present=()
for name in zorbic minimal_window speedcrunch galculator; do
    IFS='|' read -r pattern cmd <<<"${programs[$name]}"
    if command -v "$cmd" >/dev/null 2>&1 || [ -x "$cmd" ]; then present+=("$name"); else
        printf "  %-16s not installed\n" "$name"; fi
done
for _ in $(seq "$runs"); do
    for name in "${present[@]}"; do
        IFS='|' read -r pattern cmd <<<"${programs[$name]}"
        mapped "$pattern" "$cmd" >>"$work/mapped-$name"
    done
done
for name in "${present[@]}"; do report "$name" "$work/mapped-$name"; done
if [ -s "$work/mapped-zorbic" ] && [ -s "$work/mapped-minimal_window" ]; then
    awk -v z="$(median <"$work/mapped-zorbic")" -v m="$(median <"$work/mapped-minimal_window")" \
        'BEGIN { printf "  zorbic / minimal_window: %.2f\n", z / m }'
fi
