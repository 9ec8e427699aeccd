#!/usr/bin/env bash
# Builds both programs in release form, each from scratch in a folder of its own (build/ and
# build/win32 stay as they are), and writes what a Windows user downloads:
# dist/Mirelo-<version>-win64.zip and dist/Mirelo-<version>-win32.zip. The same commit gives the
# same bytes (scripts/package.sh says how).
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/fetch-sqlite.sh"

dist="$root/dist"
mkdir -p "$dist"
archives=()
for arch in win64 win32; do
    build="$root/build/release-$arch"
    rm -rf "$build"
    echo "building the $arch program in $build"
    # No tests: the test runs pack and check the same archive from their own builds.
    "$root/scripts/build.sh" "$build" "$arch" -DBUILD_TESTING=OFF
    archives+=("$("$root/scripts/package.sh" "$build" "$dist")")
done

for archive in "${archives[@]}"; do
    echo
    echo "$archive: $(stat -c %s "$archive") bytes, sha256 $(sha256sum "$archive" | cut -d' ' -f1)"
    /usr/bin/python3 -m zipfile -l "$archive"
done
