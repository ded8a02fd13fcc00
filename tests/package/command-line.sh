#!/usr/bin/env bash
# The command line of zorbic and zorbic-eval: --help and --version answer on standard output
# without a display (so no window and no display connection), anything unknown is refused with
# the usage on standard error and status 2, Qt's own options reach Qt, and the session's
# signals end a running calculator with its data file saved.
# Usage: command-line.sh ZORBIC ZORBIC_EVAL VERSION
set -uo pipefail
zorbic=$1 zorbic_eval=$2 version=$3
. "$(dirname "$0")/lib.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# No display of any kind: a program that tried to open a window would abort in Qt.
no_display=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)

# run NAME EXPECTED_STATUS PROGRAM ARGS...: output in $work/NAME.out and $work/NAME.err
run() {
    local name=$1 expected=$2 status
    shift 2
    "${no_display[@]}" "$@" >"$work/$name.out" 2>"$work/$name.err"
    status=$?
    [ "$status" -eq "$expected" ] || {
        echo "  '$*' exited with $status, expected $expected" >&2
        cat "$work/$name.err" >&2
        return 1
    }
}
has() { grep -q -- "$2" "$work/$1"; }
empty() { [ ! -s "$work/$1" ]; }

for program in "$zorbic" "$zorbic_eval"; do
    name=$(basename "$program")
    check "$name --help answers on stdout" \
        eval 'run help 0 "$program" --help && has help.out "^[Uu]sage: $name" && empty help.err'
    check "$name -h is --help" \
        eval 'run h 0 "$program" -h && cmp -s "$work/h.out" "$work/help.out"'
    check "$name --version" \
        eval 'run version 0 "$program" --version && [ "$(cat "$work/version.out")" = "$name $version" ]'
    check "$name refuses an unknown option with the usage on stderr" \
        eval 'run bad 2 "$program" --frobnicate && empty bad.out && has bad.err "^[Uu]sage: $name"'
done

check "zorbic names the option it refuses" \
    eval 'run bad 2 "$zorbic" --frobnicate && has bad.err "unknown option .--frobnicate."'
check "a refusal wins over --help" \
    eval 'run mixed 2 "$zorbic" --help -x && empty mixed.out && has mixed.err "-x"'
check "an argument that is not an option is refused" \
    eval 'run file 2 "$zorbic" data.txt && has file.err "unexpected argument .data.txt."'
check "a Qt option without its value is refused" \
    eval 'run novalue 2 "$zorbic" -reverse -style && has novalue.err "-style. needs a value"'
check "--help after Qt options, whose values may look like ours" \
    eval 'run qthelp 0 "$zorbic" -display :1 -title --version -h && has qthelp.out "^Data file: "'
check "--help names the data file that ZORBIC_DATA_FILE chooses" \
    eval 'ZORBIC_DATA_FILE=/nowhere/Z.txt run named 0 "$zorbic" --help &&
          has named.out "^Data file:  /nowhere/Z.txt$" && has named.out "^Help pages: /"'

# Qt's options reach Qt (without a display, only -platform offscreen lets it start), and each
# signal of the session closes the calculator, which saves its data file.
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
for signal in TERM INT HUP; do
    data=$work/ZorbicData-$signal.txt
    ZORBIC_DATA_FILE=$data "${no_display[@]}" "$zorbic" -platform offscreen -style Fusion \
        --reverse -qwindowtitle Z -stylesheet= 2>"$work/run.err" &
    pid=$!
    if ! wait_for_term_handler "$pid"; then
        fail "zorbic with Qt's options did not start: $(cat "$work/run.err")"
        kill -KILL "$pid" 2>/dev/null
        continue
    fi
    kill -"$signal" "$pid"
    if wait_for_exit "$pid"; then
        check "SIG$signal ends zorbic with status 0" [ "$ended_with" -eq 0 ]
        check "SIG$signal saves the data file" eval '[ "$(head -c 6 "$data")" = v2_2_0 ]'
    else
        fail "zorbic did not end on SIG$signal"
        kill -KILL "$pid" 2>/dev/null
    fi
done
finish
