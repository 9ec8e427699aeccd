#!/usr/bin/env bash
# Builds both programs in release form, each from scratch in a folder of its own (build/ and
# build/win32 stay as they are), and writes what a Windows user downloads:
# dist/Mirelo-<version>-win64.zip and dist/Mirelo-<version>-win32.zip, and beside them the setups
# dist/Mirelo-<version>-win64-setup.exe and dist/Mirelo-<version>-win32-setup.exe. The same commit
# gives the same bytes (scripts/package.sh says how).
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/fetch-sqlite.sh"

dist="$root/dist"
mkdir -p "$dist"
written=()
for arch in win64 win32; do
    build="$root/build/release-$arch"
    rm -rf "$build"
    echo "building the $arch program in $build"
    # No tests: the test runs pack and check the same archive from their own builds.
    "$root/scripts/build.sh" "$build" "$arch" -DBUILD_TESTING=OFF
    # The archive's path, then the setup's; a failed packing stops the script here.
    packed=$("$root/scripts/package.sh" "$build" "$dist")
    mapfile -t -O "${#written[@]}" written <<<"$packed"
done

for file in "${written[@]}"; do
    echo
    echo "$file: $(stat -c %s "$file") bytes, sha256 $(sha256sum "$file" | cut -d' ' -f1)"
    case "$file" in
        *.zip) /usr/bin/python3 -m zipfile -l "$file" ;;
    esac
done
