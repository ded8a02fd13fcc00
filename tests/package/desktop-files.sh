#!/usr/bin/env bash
# What desktops and software centres read: the desktop entry and the AppStream metainfo pass
# their validators, the metainfo launches the desktop entry that is installed and names its
# icon, and the manual pages format without a warning.
# Usage: desktop-files.sh SOURCE_DIR BUILD_DIR
set -uo pipefail
source_dir=$1 build_dir=$2
. "$(dirname "$0")/lib.sh"

desktop=$source_dir/data/zorbic.desktop
metainfo=$(echo "$source_dir"/data/*.metainfo.xml)
check "desktop-file-validate" desktop-file-validate "$desktop"
check "appstreamcli validate --no-net" appstreamcli validate --no-net --pedantic "$metainfo"
check "the metainfo file is named after its id" \
    grep -q "<id>$(basename "$metainfo" .metainfo.xml)</id>" "$metainfo"
check "the metainfo launches zorbic.desktop" \
    grep -q '<launchable type="desktop-id">zorbic.desktop</launchable>' "$metainfo"
icon=$(sed -n 's/^Icon=//p' "$desktop")
check "the desktop entry's icon is the program's SVG" [ -f "$source_dir/data/$icon.svg" ]
check "the metainfo names the same icon" grep -q "<icon type=\"stock\">$icon</icon>" "$metainfo"

for page in "$build_dir"/man/*.1; do
    warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
        man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
    check "$(basename "$page") formats without warnings" [ -z "$warnings" ]
    [ -z "$warnings" ] || echo "$warnings" >&2
done
finish
