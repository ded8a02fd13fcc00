#!/usr/bin/env bash
# Installs the package built by deb.sh into this machine with apt-get, checks the installed
# programs (from the PATH, the help pages they find, the data file in the user's data folder),
# then removes it with apt-get and checks that none of its files is left. The machine is left
# as it was found, also when a check fails: the package and whatever its installation pulled in
# are purged again on the way out.
# Usage: install.sh BUILD_DIR VERSION SANITIZED
set -uo pipefail
build_dir=$1 version=$2 sanitized=$3
. "$(dirname "$0")/lib.sh"

skip() {
    echo "SKIP: $*"
    exit 77
}
[ "$(id -u)" -eq 0 ] || skip "installing a package needs root (dpkg); run the suite as root"
[ "$sanitized" != ON ] || skip "a sanitizer build is not packaged"
deb=$(realpath "$build_dir/zorbic_${version}_amd64.deb")
[ -f "$deb" ] || {
    echo "FAIL: no $deb (the package_deb test makes it)" >&2
    exit 1
}

# One installation at a time on this machine, whichever work tree or CI run it comes from.
exec 9>/run/lock/zorbic-package-test.lock
flock -w 1200 9 || skip "another package test held the lock for 20 minutes"
if dpkg-query -W -f='${db:Status-Abbrev}' zorbic 2>/dev/null | grep -q '^ii'; then
    skip "a zorbic package is already installed on this machine; it is left alone"
fi
for path in /usr/bin/zorbic /usr/bin/ZorbicData.txt; do
    [ ! -e "$path" ] || skip "$path exists and belongs to no package"
done

export DEBIAN_FRONTEND=noninteractive
apt=(apt-get -y -q -o DPkg::Lock::Timeout=600)
work=$(mktemp -d)
pid=
installed() { dpkg-query -W -f='${db:Status-Abbrev}' "$1" 2>/dev/null | grep -q '^ii'; }
# zorbic and the packages that apt-get says its installation adds (its "NEW packages" list);
# others' packages, even ones installed meanwhile, are never touched.
ours() {
    echo zorbic
    [ -f "$work/apt-install" ] && sed -n '/NEW packages will be installed:/,/^[^ ]/ { /^ /p }' \
        "$work/apt-install" | tr ' ' '\n' | grep -v -e '^$' -e '^zorbic$'
}
cleanup() {
    [ -z "$pid" ] || kill -KILL "$pid" 2>/dev/null
    rm -f /usr/bin/ZorbicData.txt # written only by a program that took /usr/bin for its own
    local package left=()
    for package in $(ours); do
        installed "$package" && left+=("$package")
    done
    if [ ${#left[@]} -gt 0 ]; then
        echo "cleaning up: purging ${left[*]}" >&2
        "${apt[@]}" purge "${left[@]}" >&2
    fi
    rm -rf "$work"
}
trap cleanup EXIT

if ! "${apt[@]}" install "$deb" >"$work/apt-install" 2>&1; then
    cat "$work/apt-install" >&2
    echo "FAIL: apt-get install $deb" >&2
    exit 1
fi
echo "installed zorbic; pulled in: $(ours | grep -vx zorbic | tr '\n' ' ')"

check "zorbic is on the PATH in /usr/bin" [ "$(command -v zorbic)" = /usr/bin/zorbic ]
check "zorbic --version from the PATH" eval '[ "$(zorbic --version)" = "zorbic $version" ]'
check "zorbic-eval from the PATH evaluates" \
    eval '[ "$(echo "2 pi" | zorbic-eval | cut -f5)" = 6.28318530717958 ]'
if command -v man >/dev/null; then
    check "man finds the zorbic page" eval '[ "$(man -w zorbic)" = /usr/share/man/man1/zorbic.1.gz ]'
fi
check "the installed desktop entry validates" \
    desktop-file-validate /usr/share/applications/zorbic.desktop
check "the installed metainfo validates" \
    appstreamcli validate --no-net /usr/share/metainfo/org.example.zorbic.metainfo.xml

# A user of the installed program: a fresh home, no data file named, offscreen.
home=$work/home
mkdir -p "$home/runtime"
chmod 700 "$home/runtime"
user_env=(env -i PATH=/usr/bin:/bin HOME="$home" XDG_RUNTIME_DIR="$home/runtime"
    QT_QPA_PLATFORM=offscreen LANG=C.UTF-8)
data="$home/.local/share/Zorbic Works/Zorbic/ZorbicData.txt"
"${user_env[@]}" zorbic --help >"$work/help"
help=$(sed -n 's/^Help pages: //p' "$work/help")
check "the installed program finds its help pages in /usr/share/zorbic/help" \
    [ "$help" = /usr/share/zorbic/help ]
check "those are the package's pages" eval 'dpkg -S "$help/index.html" | grep -q "^zorbic:"'
check "--help names the data file in the user's data folder" \
    grep -qxF "Data file:  $data" "$work/help"
(cd "$home" && exec "${user_env[@]}" zorbic) 2>"$work/run.err" &
pid=$!
if wait_for_term_handler "$pid"; then
    kill -TERM "$pid"
    if wait_for_exit "$pid"; then
        pid=
        check "the installed program ends on SIGTERM with status 0" [ "$ended_with" -eq 0 ]
        check "it saved its data file in the user's data folder" \
            eval '[ "$(head -c 6 "$data" 2>/dev/null)" = v2_2_0 ]'
    else
        fail "the installed program did not end on SIGTERM"
    fi
else
    fail "the installed program did not start: $(cat "$work/run.err")"
fi
check "no data file beside the installed program" [ ! -e /usr/bin/ZorbicData.txt ]

dpkg -L zorbic >"$work/files"
if ! "${apt[@]}" remove zorbic >"$work/apt-remove" 2>&1; then
    cat "$work/apt-remove" >&2
    fail "apt-get remove zorbic"
fi
check "zorbic is no longer installed" eval '! installed zorbic'
left=0
while read -r path; do
    [ -e "$path" ] || continue
    # A folder that stays must belong to another package or hold others' files.
    if [ -d "$path" ] && { dpkg -S "$path" >/dev/null 2>&1 || [ -n "$(ls -A "$path")" ]; }; then
        continue
    fi
    echo "  left behind: $path" >&2
    left=$((left + 1))
done <"$work/files"
check "nothing of the package is left ($(wc -l <"$work/files") paths)" [ "$left" -eq 0 ]
finish
