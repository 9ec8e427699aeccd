#!/usr/bin/env bash
# Runs the hot list benchmark of one build folder, one process per item count (inside the display
# bench/run.sh provides); then a hundred reloads at 50,000 items, and 2,000 items of 1 MB each.
set -euo pipefail
build=$(cd "$1" && pwd)
cd "$build/bench/hotlist"
for count in ${MIRELO_HOTLIST_COUNTS:-100 1000 5000 20000 50000}; do
    wine ./hotlist_bench.exe "$count" 2>/dev/null | tr -d '\r'
done
wine ./hotlist_bench.exe --reload 50000 2>/dev/null | tr -d '\r'
wine ./hotlist_bench.exe --big 2>/dev/null | tr -d '\r'
