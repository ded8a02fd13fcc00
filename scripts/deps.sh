#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need. As root it runs apt-get;
# otherwise it prints the apt-get line to run and stops when something is missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ clang pkg-config
    qt6-base-dev libfontconfig-dev libgtest-dev libgmock-dev libbenchmark-dev libmuparser-dev
    libxdo-dev libx11-dev libxtst-dev libxcb1-dev libclang-rt-14-dev
    xvfb openbox x11-utils xdotool xdg-utils fonts-dejavu-core fonts-dejavu-extra locales
    # The icons and the Debian package, and the checks of both.
    librsvg2-bin dpkg-dev file lintian appstream desktop-file-utils man-db
    qt6-qpa-plugins qt6-wayland
    # Typing on Wayland: keysyms and keymaps, the virtual keyboard's glue, and the headless sway
    # of its test.
    libwayland-dev libxkbcommon-dev sway
    # The fake desktop portal of the portal keyboard test.
    dbus-daemon python3-dbus-next
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
# The number formats are tested under a German locale (decimal comma).
has_locale() { locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; }

if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" -eq 0 ]; then
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq
        apt-get install -y -qq --no-install-recommends "${missing[@]}"
    else
        echo "Missing packages. Run as root:" >&2
        echo "  apt-get update && apt-get install -y ${missing[*]}" >&2
        exit 1
    fi
fi

if ! has_locale; then
    if [ "$(id -u)" -eq 0 ]; then
        localedef -i de_DE -f UTF-8 de_DE.UTF-8
    else
        echo "Optional: the German locale test is skipped; as root run: localedef -i de_DE -f UTF-8 de_DE.UTF-8" >&2
    fi
fi
