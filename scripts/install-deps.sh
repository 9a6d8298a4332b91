#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The stereogram authors
# SPDX-License-Identifier: MIT

# Installs, from Debian's packages, what building, running and testing the
# program need. Does nothing when everything is there already.
set -euo pipefail

packages=(
    # build
    cmake g++ make ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev qt6-base-dev libxcb1-dev
    # the second compiler, which builds the sanitizer build, with its sanitizer
    # and libFuzzer runtimes
    clang libclang-rt-14-dev
    # the icon's larger sizes, rendered from its drawing
    librsvg2-bin
    # run: the Japanese faces of the window's texts, the preferred one and its
    # fallbacks, and an X server for machines without a display
    fonts-horai-umefont fonts-morisawa-bizud-gothic fonts-vlgothic fonts-ipafont-gothic xvfb x11-utils imagemagick
    # end-to-end tests: a real window manager and tools that drive it like a person;
    # and the window managers where the frame's place is checked as well, one
    # of each kind: telling their frame before the map, only after, or without EWMH
    openbox xdotool wmctrl fluxbox fvwm awesome icewm xfwm4 metacity twm
    # the Debian package and the desktop files: build them and check them as Debian does
    # (its own tests with autopkgtest among them),
    # twice over for reproducibility, every file's licence, and the scalable icon
    # against the SVG 1.1 DTD
    dpkg-dev debhelper file lintian devscripts diffoscope-minimal faketime desktop-file-utils appstream reuse autopkgtest
    libxml2-utils w3c-sgml-lib
    # the screen-reader check: AT-SPI's buses and its client library for Python
    at-spi2-core gir1.2-atspi-2.0 python3-gi
    # robustness checks: memcheck, fontconfig's tools and a face without Japanese,
    # prlimit, D-Bus's autolaunch and a bus of the tests' own, ss to see a connection wait for
    # a stopped X server; and the format check
    valgrind fontconfig fonts-dejavu-core util-linux dbus-x11 dbus-daemon dbus-bin iproute2 clang-format
    # static analysis with the project's own checks, and the coverage map on request
    clang-tidy clazy gcovr
    # locales the terminal lines are checked in: Japanese in UTF-8 and EUC-JP,
    # English in UTF-8 and ISO-8859-1; and relays to the X server
    locales socat
)

# The locales, as "name codeset" lines of /etc/locale.gen, and as `locale -a`
# names them.
locales=("ja_JP.UTF-8 UTF-8" "ja_JP.EUC-JP EUC-JP" "en_US.UTF-8 UTF-8" "en_US ISO-8859-1")
locale_names=(ja_JP.utf8 ja_JP.eucjp en_US.utf8 en_US)
generate_locales() {
    local available missing=0 name line
    available=$(locale -a 2>/dev/null)
    for name in "${locale_names[@]}"; do
        grep -qx "$name" <<<"$available" || missing=1
    done
    [ "$missing" = 0 ] && return 0
    for line in "${locales[@]}"; do
        grep -qx "$line" /etc/locale.gen 2>/dev/null || echo "$line" >>/etc/locale.gen
    done
    echo "install-deps: generating locales"
    locale-gen >/dev/null
}

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "install-deps: missing packages: ${missing[*]}; run this as root, or install them first" >&2
        exit 1
    fi
    echo "install-deps: installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
if ! generate_locales; then
    echo "install-deps: could not generate the locales ${locales[*]}; run this as root" >&2
    exit 1
fi
