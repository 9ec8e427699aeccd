#!/usr/bin/env bash
# Runs the hot list benchmark of one build folder, one process per item count (inside the display
# bench/run.sh provides).
set -euo pipefail
build=$(cd "$1" && pwd)
cd "$build/bench/hotlist"
for count in ${MIRELO_HOTLIST_COUNTS:-100 1000 5000 20000 50000}; do
    wine ./hotlist_bench.exe "$count" 2>/dev/null | tr -d '\r'
done
