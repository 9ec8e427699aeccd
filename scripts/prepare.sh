#!/usr/bin/env bash
# Installs what is missing and builds: the 64-bit program into BUILD_DIR and, with "both", the
# 32-bit one into BUILD_DIR/win32.
# Usage: prepare.sh [BUILD_DIR] [both]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build}
"$here/install-deps.sh"
"$here/fetch-sqlite.sh"
"$here/build.sh" "$build" win64
if [ "${2:-}" = both ]; then
    "$here/build.sh" "$build/win32" win32
fi
