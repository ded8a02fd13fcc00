# Helpers shared by the package and command-line checks (sourced).

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
check() { # check DESCRIPTION COMMAND...
    local what=$1
    shift
    if "$@"; then echo "ok: $what"; else fail "$what"; fi
}
finish() {
    if [ "$failures" -gt 0 ]; then
        echo "$failures check(s) failed" >&2
        exit 1
    fi
    echo "all checks passed"
}

# Waits until process $1 has its handler for SIGTERM in place (bit 15 of SigCgt), so that the
# signal sent next is caught by the program, not by the default action. Up to 20 s.
wait_for_term_handler() {
    local pid=$1 mask
    for _ in $(seq 400); do
        mask=$(awk '/^SigCgt:/ { print $2 }' "/proc/$pid/status" 2>/dev/null) || return 1
        [ -n "$mask" ] && (((0x$mask >> 14) & 1)) && return 0
        sleep 0.05
    done
    return 1
}

# Waits up to 20 s for process $1 (a child of this shell) to end; its exit status is in
# $ended_with.
wait_for_exit() {
    local pid=$1
    for _ in $(seq 400); do
        if ! kill -0 "$pid" 2>/dev/null; then
            wait "$pid"
            ended_with=$?
            return 0
        fi
        sleep 0.05
    done
    return 1
}
