#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under Wine through CTest.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
build="${MIRELO_BUILD_DIR:-$root/build}"
"$root/scripts/prepare.sh" "$build"
# Test programs are listed and run one at a time: they share the display, focus and clipboard.
exec "$root/scripts/with-display.sh" "$build" ctest --test-dir "$build" --output-on-failure --timeout 120 ${CTEST_ARGS:-}
