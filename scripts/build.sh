#!/usr/bin/env bash
# Configures and builds the tree into a build folder for one architecture.
# Usage: build.sh BUILD_DIR [win64|win32] [CMAKE_ARGS...]   (default win64)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
arch=${2:-win64}
shift $(( $# < 2 ? $# : 2 ))
case "$arch" in
    win64) toolchain="$root/cmake/mingw-x86_64.cmake" ;;
    win32) toolchain="$root/cmake/mingw-i686.cmake" ;;
    *) echo "unknown architecture: $arch" >&2; exit 2 ;;
esac
# CMake keeps the compilers of a folder's first configure: a folder made for another toolchain
# starts its cache anew (its Wine prefix stays).
cache="$build/CMakeCache.txt"
if [ -f "$cache" ] && ! grep -qxF "CMAKE_TOOLCHAIN_FILE:FILEPATH=$toolchain" "$cache"; then
    rm -rf "$cache" "$build/CMakeFiles"
fi
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
cmake --build "$build" -j "$(nproc)" -- --no-print-directory | { grep -v -E '^\[ *[0-9]+%\]' || true; }
