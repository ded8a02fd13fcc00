#!/bin/sh
# Runs a test on a private session bus of its own: on_private_bus.sh PYTHON TEST [ARGS...].
# Exits 77 (skipped) with the reason when the bus or the fake portal's interpreter cannot run.
python=$1
shift
if ! command -v dbus-run-session >/dev/null 2>&1; then
    echo "skipped: dbus-run-session (package dbus-daemon) is not installed"
    exit 77
fi
if ! "$python" -c 'import dbus_next' 2>/dev/null; then
    echo "skipped: the fake portal needs $python with dbus-next (package python3-dbus-next)"
    exit 77
fi
exec env -u DBUS_SESSION_BUS_ADDRESS dbus-run-session --config-file="$(dirname "$0")/private-bus.conf" -- "$@"
