#!/usr/bin/env bash
# Builds if needed and runs Mirelo under Wine from build/. Without a display it runs in a
# virtual one, saves build/screenshot.png once the window has painted, and ends the program.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
build="$root/build"
"$root/scripts/prepare.sh" "$build"
"$root/scripts/demo-data.sh" "$build"

if [ -n "${DISPLAY:-}" ]; then
    "$root/scripts/wine-prefix.sh" "$build"
    . "$root/scripts/wine-env.sh" "$build"
    cd "$build"
    exec wine ./Mirelo.exe
fi

exec "$root/scripts/with-display.sh" "$build" "$root/scripts/screenshot.sh" "$build"
