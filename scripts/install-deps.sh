#!/usr/bin/env bash
# Installs the Debian packages the build, the tests, run.sh and release.sh need; does nothing when all
# are there. The 64-bit set comes first and alone: it needs no i386 index, so a 32-bit index that
# fails to download (a mirror mid-sync) never stops the build. The 32-bit Wine loader follows as a
# second step that may fail; without it the 32-bit tests are skipped, as on a machine that runs no
# 32-bit program.
set -euo pipefail

packages=(wine wine64 g++-mingw-w64-x86-64 g++-mingw-w64-i686 cmake gcc tcl xvfb xauth locales
          fonts-wqy-microhei sqlite3 xdotool xclip imagemagick googletest dpkg-dev python3
          golang-github-mozillazg-go-pinyin-dev  # the dictionary the pinyin table is generated from
          nsis  # makensis and its Unicode stubs, for the setups
          libreoffice-calc-nogui)  # the spreadsheet that opens and saves an exported file in the tests
packages32=(wine32:i386)

as_root() {
    if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

missing_of() {
    local p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
    done
}

# apt-get with the given options; an index update that fails is tried again a few times, since a
# mirror in the middle of a sync serves indexes that fail their size check for a while.
update_index() {
    local try
    for try in 1 2 3; do
        as_root apt-get "$@" update -q && return 0
        [ "$try" = 3 ] || { echo "the package index update failed; trying again ($try of 3)"; sleep 10; }
    done
    return 1
}

native=$(dpkg --print-architecture)
mapfile -t missing < <(missing_of "${packages[@]}")
if [ ${#missing[@]} -gt 0 ]; then
    echo "installing: ${missing[*]}"
    # Source entries for the same suites, so SQLite's own source package can be fetched.
    src=/etc/apt/sources.list.d/mirelo-src.sources
    if [ ! -f "$src" ]; then
        as_root tee "$src" >/dev/null <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
    fi
    # Only this machine's own architecture, even where i386 was added before.
    only_native=(-o "APT::Architectures=$native")
    update_index "${only_native[@]}"
    as_root env DEBIAN_FRONTEND=noninteractive apt-get "${only_native[@]}" install -y -q \
        --no-install-recommends "${missing[@]}"
fi

mapfile -t missing32 < <(missing_of "${packages32[@]}")
if [ ${#missing32[@]} -gt 0 ]; then
    echo "installing the 32-bit Wine loader: ${missing32[*]}"
    if ! { { dpkg --print-foreign-architectures | grep -qx i386 || as_root dpkg --add-architecture i386; } &&
           update_index &&
           as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
               "${missing32[@]}"; }; then
        echo "32-bit Wine not installed (its package index or its install failed): the 32-bit tests will be skipped."
    fi
fi

# Wine takes its code page from the glibc locale, and falls back to 1252 for one that is missing:
# zh_CN gives a Chinese Windows (936), en_US an English one (1252).
generate=no
for name in zh_CN en_US; do
    if ! locale -a 2>/dev/null | grep -qi "^$name\.utf-\?8$"; then
        as_root sed -i "s/^# *\($name.UTF-8 UTF-8\)/\1/" /etc/locale.gen
        grep -q "^$name.UTF-8 UTF-8" /etc/locale.gen || echo "$name.UTF-8 UTF-8" | as_root tee -a /etc/locale.gen >/dev/null
        generate=yes
    fi
done
[ "$generate" = no ] || as_root locale-gen
