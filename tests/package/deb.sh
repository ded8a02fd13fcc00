#!/usr/bin/env bash
# Builds the Debian package from the build tree and checks it: lintian finds no error, the
# dependencies come from dpkg-shlibdeps plus the run-time plugins, and it holds the programs,
# the help pages, the desktop entry, the metainfo, the manual pages, the documentation and an
# icon of every size.
# Usage: deb.sh BUILD_DIR VERSION SANITIZED
set -uo pipefail
build_dir=$1 version=$2 sanitized=$3
. "$(dirname "$0")/lib.sh"

if [ "$sanitized" = ON ]; then
    echo "SKIP: a sanitizer build is not packaged"
    exit 77
fi
deb=$build_dir/zorbic_${version}_amd64.deb
rm -f "$deb"
cmake --build "$build_dir" --target package || {
    echo "FAIL: cmake --build $build_dir --target package" >&2
    exit 1
}
[ -f "$deb" ] || {
    echo "FAIL: no $deb" >&2
    exit 1
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
lintian --fail-on error --display-info "$deb" >"$work/lintian" 2>&1
status=$?
cat "$work/lintian"
check "lintian reports no error" [ "$status" -eq 0 ]

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for dependency in qt6-qpa-plugins qt6-wayland libqt6widgets6 libc6; do
    check "depends on $dependency" eval '[[ ", $depends," == *", $dependency"[\ ,]* ]]'
done

dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's|^\./|/|' >"$work/files"
for file in /usr/bin/zorbic /usr/bin/zorbic-eval /usr/share/zorbic/help/index.html \
    /usr/share/applications/zorbic.desktop /usr/share/metainfo/org.example.zorbic.metainfo.xml \
    /usr/share/man/man1/zorbic.1.gz /usr/share/man/man1/zorbic-eval.1.gz \
    /usr/share/doc/zorbic/copyright /usr/share/doc/zorbic/changelog.gz \
    /usr/share/icons/hicolor/scalable/apps/zorbic.svg; do
    check "holds $file" grep -qx "$file" "$work/files"
done

# Every PNG icon is really of the size its folder says.
dpkg-deb -x "$deb" "$work/root"
for size in 16 22 24 32 48 64 128 256; do
    png=$work/root/usr/share/icons/hicolor/${size}x$size/apps/zorbic.png
    check "a ${size}x$size PNG icon" eval 'file "$png" | grep -q "PNG image data, $size x $size,"'
done
check "the programs are stripped" \
    eval '! file "$work"/root/usr/bin/* | grep -q "not stripped"'
finish
