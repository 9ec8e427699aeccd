#!/usr/bin/env bash
# Installs what is missing, builds both programs and runs every test under Wine through CTest:
# the 64-bit suite always, then the 32-bit one where this machine runs 32-bit programs.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
build="${MIRELO_BUILD_DIR:-$root/build}"
"$root/scripts/prepare.sh" "$build" both

# Test programs are listed and run one at a time: they share the display, focus and clipboard.
suite() {
    "$root/scripts/with-display.sh" "$1" ctest --test-dir "$1" --output-on-failure --timeout 120 ${CTEST_ARGS:-}
}
if why=$("$root/scripts/wine32-works.sh"); then
    status=0
    echo "64-bit suite ($build):"
    suite "$build" || status=1
    echo "32-bit suite ($build/win32):"
    suite "$build/win32" || status=1
    exit $status
fi
echo "32-bit tests skipped: this machine runs no 32-bit programs ($why); the 32-bit program was built but not run."
suite "$build"
