#!/usr/bin/env bash
# Runs the team file benchmark of one build folder (inside the display bench/run.sh provides);
# MIRELO_TEAM_COUNT overrides the 100,000 team items.
set -euo pipefail
build=$(cd "$1" && pwd)
cd "$build/bench/team"
wine ./team_bench.exe ${MIRELO_TEAM_COUNT:-100000} 2>/dev/null | tr -d '\r'
