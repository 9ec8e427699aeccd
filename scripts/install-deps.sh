#!/usr/bin/env bash
# Installs the Debian packages the build, the tests, run.sh and release.sh need; does nothing when all
# are there.
set -euo pipefail

packages=(wine wine32:i386 wine64 g++-mingw-w64-x86-64 g++-mingw-w64-i686 cmake gcc tcl xvfb xauth locales
          fonts-wqy-microhei sqlite3 xdotool xclip imagemagick googletest dpkg-dev python3
          golang-github-mozillazg-go-pinyin-dev  # the dictionary the pinyin table is generated from
          nsis)  # makensis and its Unicode stubs, for the setups

as_root() {
    if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "installing: ${missing[*]}"
    dpkg --print-foreign-architectures | grep -qx i386 || as_root dpkg --add-architecture i386
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
    as_root apt-get update -q
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
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
