#!/usr/bin/env bash
# Packs a build folder's program into what a Windows user downloads:
# DEST_DIR/Mirelo-<version>-<win64|win32>.zip, unpacking to Mirelo/ with the stripped Mirelo.exe,
# an empty sys.mdb and 说明.txt, and DEST_DIR/Mirelo-<version>-<win64|win32>-setup.exe, which
# installs the same three files (installer/mirelo.nsi). Prints the archive's path, then the setup's.
# Usage: package.sh BUILD_DIR DEST_DIR
#
# The same sources give the same bytes: the program's header and the archive's entries carry the
# commit's time (or SOURCE_DATE_EPOCH) instead of the time of packing, in a fixed order; the setup
# stores the files with that time too.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
mkdir -p "$2"
dest=$(cd "$2" && pwd)

arch=$(cat "$build/wine-arch")
case "$arch" in
    win64) strip=x86_64-w64-mingw32-strip ;;
    win32) strip=i686-w64-mingw32-strip ;;
    *) echo "unknown architecture in $build/wine-arch: $arch" >&2; exit 2 ;;
esac
version=$(sed -n 's/^#define MIRELO_VERSION_TEXT "\(.*\)"$/\1/p' "$root/res/version.h")
[ -n "$version" ] || { echo "no MIRELO_VERSION_TEXT in res/version.h" >&2; exit 2; }
archive="$dest/Mirelo-$version-$arch.zip"

# strip stamps the PE header with this time rather than the current one.
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 1798761600)
fi
export SOURCE_DATE_EPOCH

stage=$(mktemp -d "$dest/.package.XXXXXX")
trap 'rm -rf "$stage"' EXIT
folder="$stage/Mirelo"
mkdir "$folder"

"$strip" --strip-all -o "$folder/Mirelo.exe" "$build/Mirelo.exe"
# A fresh, empty item database from the schema the build delivers (the build's own sys.mdb may
# hold items by now).
cmake -DSQLITE3="$(command -v sqlite3)" -DSCHEMA="$root/store/schema.sql" -DOUTPUT="$folder/sys.mdb" \
    -P "$root/store/make_database.cmake"
# Notepad reads UTF-8 with a byte-order mark and CRLF line ends on every Windows version.
{
    printf '\357\273\277'
    sed -e "s/@VERSION@/$version/g" -e 's/\r$//' -e 's/$/\r/' "$root/res/guide.txt"
} >"$folder/说明.txt"

# Debian's own Python, so that the deflated bytes come from one zlib.
/usr/bin/python3 "$root/scripts/write-zip.py" "$stage/archive.zip" "$stage" "$SOURCE_DATE_EPOCH" \
    Mirelo/Mirelo.exe Mirelo/sys.mdb Mirelo/说明.txt
mv "$stage/archive.zip" "$archive"
echo "$archive"

setup="$dest/Mirelo-$version-$arch-setup.exe"
touch -d "@$SOURCE_DATE_EPOCH" "$folder"/*
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DARCH="$arch" -DSTAGE="$folder" \
    -DOUTFILE="$stage/setup.exe" -DICON="$root/res/mirelo.ico" "$root/installer/mirelo.nsi" >&2
mv "$stage/setup.exe" "$setup"
echo "$setup"
