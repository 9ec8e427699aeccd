#!/usr/bin/env bash
# Builds the benchmarks and runs each part's script (bench/<part>.sh BUILD_DIR) under Wine in a
# virtual display. Every figure is printed as one `NAME: VALUE UNIT` line.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${MIRELO_BUILD_DIR:-$root/build}"
"$root/scripts/prepare.sh" "$build"
cmake --build "$build" --target benchmarks -- --no-print-directory | { grep -v -E '^\[ *[0-9]+%\]' || true; }
for part in "$root"/bench/*.sh; do
    [ "$(basename "$part")" = run.sh ] && continue
    "$root/scripts/with-display.sh" "$build" "$part" "$build"
done
