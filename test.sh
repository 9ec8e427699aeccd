#!/usr/bin/env bash
# Installs what is missing, builds both programs and runs every test under Wine through CTest:
# the 64-bit suite on an English Windows (code page 1252) and on a Chinese one (936), and the
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
# The 32-bit suite has a build folder, Wine prefix and display of its own, so it runs beside the
# 64-bit ones (the tests spend most of their time waiting on windows); its report follows theirs.
if [ "$run32" = yes ]; then
    log32=$(mktemp)
    trap 'rm -f "$log32"' EXIT
    suite "$build/win32" 936 >"$log32" 2>&1 &
    pid32=$!
fi
echo "64-bit suite, code page 1252 ($build):"
suite "$build" 1252 || status=1
if [ "$run32" = yes ]; then
    echo "32-bit suite, code page 936 ($build/win32):"
    wait "$pid32" || status=1
    cat "$log32"
fi
# Last, so that CTest's summary of the default Windows closes the run.
echo "64-bit suite, code page 936 ($build):"
suite "$build" 936 || status=1
exit $status
