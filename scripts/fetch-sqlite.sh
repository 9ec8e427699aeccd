#!/usr/bin/env bash
# Produces SQLite's amalgamation (sqlite3.c, sqlite3.h) from Debian's source package into .deps/sqlite/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/.deps/sqlite"
[ -f "$out/sqlite3.c" ] && [ -f "$out/sqlite3.h" ] && exit 0

work="$root/.deps/sqlite-src"
rm -rf "$work" && mkdir -p "$work"
cd "$work"
apt-get source -q sqlite3 >/dev/null
src=$(find . -maxdepth 1 -type d -name 'sqlite3-*' | head -n 1)
[ -n "$src" ] || { echo "sqlite3 source package not unpacked" >&2; exit 1; }
mkdir -p bld && cd bld
"../$src/configure" --disable-tcl >/dev/null
make -s sqlite3.c >/dev/null
mkdir -p "$out"
cp sqlite3.c sqlite3.h "$out/"
cd "$root" && rm -rf "$work"
