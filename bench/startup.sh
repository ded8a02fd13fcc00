#!/usr/bin/env bash
# Start-up timing under Xvfb + openbox, on a display of its own.
#  1. From inside: process start -> first paint (/proc/self/stat start time), for the calculator
#     (startup_zorbic: the program's own start-up sequence) and for minimal_window.
#  2. From outside: launch -> window mapped and visible (a tight loop of
#     xdotool search --onlyvisible; "--sync" itself polls only every half second),
#     for zorbic, minimal_window and, when installed, speedcrunch and galculator.
# Usage: bench/startup.sh [build dir, default build/release] [runs, default 10]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
runs=${2:-10}

display=
for n in $(seq 90 140); do
    if [ ! -e /tmp/.X11-unix/X$n ] && [ ! -e /tmp/.X$n-lock ]; then display=:$n; break; fi
done
[ -n "$display" ] || { echo "no free display" >&2; exit 1; }
work=$(mktemp -d)
export XDG_RUNTIME_DIR=$work/xdg HOME=$work/home DISPLAY=$display
mkdir -p -m 700 "$XDG_RUNTIME_DIR" "$HOME"
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $wm $xvfb 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done
# openbox's root-window announcement comes before it manages windows: a window mapped right
# after it is sometimes never shown. Its --startup command runs once it is really ready.
openbox --sm-disable --startup "touch $work/wm-ready" >/dev/null 2>&1 &
wm=$!
for _ in $(seq 200); do [ -e "$work/wm-ready" ] && break; sleep 0.05; done
# The calculator starts on a full data file: 1,000 history and 500 storage rows.
export ZORBIC_DATA_FILE=$work/ZorbicData.txt
awk 'BEGIN { printf "v2_2_0\r\nd\r\nn\r\n 4 \r\n 1000 \r\n 500 \r\n2*3\r\n";
             for (i = 1; i <= 1500; i++) printf "%d\r\n%d = %d*1\r\n%d*1\r\n%d\r\n", i, i, i, i, i }' \
    >"$ZORBIC_DATA_FILE"

median() { sort -n | awk '{a[NR]=$1} END {m=(NR%2)?a[(NR+1)/2]:(a[NR/2]+a[NR/2+1])/2; printf "%.1f", m}'; }

echo "first paint, ms after process start (median of $runs; min..max)"
for prog in "$build/bench/startup_zorbic" "$build/bench/minimal_window"; do
    times=$(for _ in $(seq "$runs"); do "$prog" 2>/dev/null | awk '/first paint/ {print $3}'; done)
    printf "  %-16s %s  (%s..%s)\n" "$(basename "$prog")" "$(echo "$times" | median)" \
        "$(echo "$times" | sort -n | head -1)" "$(echo "$times" | sort -n | tail -1)"
done

echo "launch to window visible, ms from outside (median of $runs)"
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
for name in zorbic minimal_window speedcrunch galculator; do
    IFS='|' read -r pattern cmd <<<"${programs[$name]}"
    command -v "$cmd" >/dev/null 2>&1 || [ -x "$cmd" ] || { printf "  %-16s not installed\n" "$name"; continue; }
    times=$(for _ in $(seq "$runs"); do mapped "$pattern" "$cmd"; done)
    printf "  %-16s %s  (%s..%s)\n" "$name" "$(echo "$times" | median)" \
        "$(echo "$times" | sort -n | head -1)" "$(echo "$times" | sort -n | tail -1)"
done
