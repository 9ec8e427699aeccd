#!/usr/bin/env bash
# Installs what is missing, builds both programs and runs every test under Wine through CTest:
# the 64-bit suite on an English Windows (code page 1252) and on a Chinese one (936), and the
# 32-bit suite on a Chinese one where this machine runs 32-bit programs.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
build="${MIRELO_BUILD_DIR:-$root/build}"
"$root/scripts/prepare.sh" "$build"

# Test programs are listed and run one at a time: they share the display, focus and clipboard.
# Usage: suite BUILD_DIR CODE_PAGE
suite() {
    MIRELO_CODEPAGE=$2 "$root/scripts/with-display.sh" "$1" \
        ctest --test-dir "$1" --output-on-failure --timeout 120 ${CTEST_ARGS:-}
}
status=0
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
# The tests spend most of their time waiting on windows: the 32-bit program builds beside the
# first suite, and its suite (a build folder, Wine prefix and display of its own) runs beside the
# last one. Their reports follow.
"$root/scripts/build.sh" "$build/win32" win32 >"$logs/build32" 2>&1 &
build32=$!
echo "64-bit suite, code page 1252 ($build):"
suite "$build" 1252 || status=1
echo "32-bit build ($build/win32):"
if wait "$build32"; then
    cat "$logs/build32"
else
    cat "$logs/build32"
    echo "the 32-bit build failed"
    exit 1
fi
if why=$("$root/scripts/wine32-works.sh"); then
    suite "$build/win32" 936 >"$logs/suite32" 2>&1 &
    suite32=$!
else
    suite32=
    echo "32-bit tests skipped: this machine runs no 32-bit programs ($why); the 32-bit program was built but not run."
fi
echo "64-bit suite, code page 936 ($build):"
suite "$build" 936 || status=1
if [ -n "$suite32" ]; then
    echo "32-bit suite, code page 936 ($build/win32):"
    wait "$suite32" || status=1
    cat "$logs/suite32"
fi
exit $status
