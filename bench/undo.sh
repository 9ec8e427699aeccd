#!/usr/bin/env bash
# Runs the delete-and-undo benchmark of one build folder (inside the display bench/run.sh provides).
set -euo pipefail
build=$(cd "$1" && pwd)
cd "$build/bench/undo"
wine ./undo_bench.exe 2>/dev/null | tr -d '\r'
