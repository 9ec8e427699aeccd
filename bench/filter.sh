#!/usr/bin/env bash
# Runs the search box benchmark of one build folder, one process per item count (inside the
# display bench/run.sh provides).
set -euo pipefail
build=$(cd "$1" && pwd)
cd "$build/bench/filter"
# The hot list's counts unless told otherwise: typing is measured over the same lists.
for count in ${MIRELO_FILTER_COUNTS:-${MIRELO_HOTLIST_COUNTS:-1000 20000 50000}}; do
    wine ./filter_bench.exe "$count" 2>/dev/null | tr -d '\r'
done
