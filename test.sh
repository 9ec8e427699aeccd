#!/usr/bin/env bash
# Installs what is missing, builds both programs and runs every test under Wine through CTest:
# the 64-bit suite on a Chinese Windows (code page 936) and on an English one (1252), then the
# 32-bit suite on a Chinese one where this machine runs 32-bit programs.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
build="${MIRELO_BUILD_DIR:-$root/build}"
"$root/scripts/prepare.sh" "$build" both

# Test programs are listed and run one at a time: they share the display, focus and clipboard.
# Usage: suite BUILD_DIR CODE_PAGE
suite() {
    MIRELO_CODEPAGE=$2 "$root/scripts/with-display.sh" "$1" \
        ctest --test-dir "$1" --output-on-failure --timeout 120 ${CTEST_ARGS:-}
}
status=0
if why=$("$root/scripts/wine32-works.sh"); then
    run32=yes
else
    run32=no
    echo "32-bit tests skipped: this machine runs no 32-bit programs ($why); the 32-bit program was built but not run."
fi
echo "64-bit suite, code page 1252 ($build):"
suite "$build" 1252 || status=1
if [ "$run32" = yes ]; then
    echo "32-bit suite, code page 936 ($build/win32):"
    suite "$build/win32" 936 || status=1
fi
# Last, so that CTest's summary of the default Windows closes the run.
echo "64-bit suite, code page 936 ($build):"
suite "$build" 936 || status=1
exit $status
