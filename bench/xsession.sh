# Sourced by the bench scripts: a private Xvfb + openbox on a free display, a scratch folder
# ($work, with HOME and XDG_RUNTIME_DIR inside), and the full data file the calculator starts
# on (1,000 history and 500 storage rows) in $ZORBIC_DATA_FILE. Everything is stopped and
# removed when the script exits.
display=
for n in $(seq 90 140); do
    if [ ! -e /tmp/.X11-unix/X$n ] && [ ! -e /tmp/.X$n-lock ]; then display=:$n; break; fi
done
[ -n "$display" ] || { echo "no free display" >&2; exit 1; }
work=$(mktemp -d)
export XDG_RUNTIME_DIR=$work/xdg HOME=$work/home DISPLAY=$display QT_QPA_PLATFORM=xcb
mkdir -p -m 700 "$XDG_RUNTIME_DIR" "$HOME"
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
wm=
session_pids=()
trap 'kill "${session_pids[@]}" $wm $xvfb 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done
# openbox's root-window announcement comes before it manages windows: a window mapped right
# after it is sometimes never shown. Its --startup command runs once it is really ready.
openbox --sm-disable --startup "touch $work/wm-ready" >/dev/null 2>&1 &
wm=$!
for _ in $(seq 200); do [ -e "$work/wm-ready" ] && break; sleep 0.05; done
export ZORBIC_DATA_FILE=$work/ZorbicData.txt
awk 'BEGIN { printf "v2_2_0\r\nd\r\nn\r\n 4 \r\n 1000 \r\n 500 \r\n2*3\r\n";
             for (i = 1; i <= 1500; i++) printf "%d\r\n%d = %d*1\r\n%d*1\r\n%d\r\n", i, i, i, i, i }' \
    >"$ZORBIC_DATA_FILE"

median() { sort -n | awk '{a[NR]=$1} END {m=(NR%2)?a[(NR+1)/2]:(a[NR/2]+a[NR/2+1])/2; printf "%.2f", m}'; }

# Waits (at most 20 s) until a visible window whose name matches the pattern exists.
wait_visible() {
    for _ in $(seq 400); do
        xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 && return 0
        sleep 0.05
    done
    echo "no window \"$1\"" >&2
    return 1
}
