#!/usr/bin/env bash
# Inside a display: starts Mirelo, waits for its main window to paint, saves a screenshot, ends it.
set -euo pipefail
build=$(cd "$1" && pwd)
shot="$build/screenshot.png"
cd "$build"
wine ./Mirelo.exe >/dev/null 2>&1 </dev/null &
pid=$!
window=
for _ in $(seq 200); do
    window=$(xdotool search --onlyvisible --name '^Mirelo ' 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
if [ -z "$window" ]; then
    echo "the main window did not show" >&2
    exit 1
fi
# Let the hot list load (timer 1) and every row paint.
sleep "${MIRELO_SHOT_DELAY:-2}"
import -window root -depth 8 "$shot"
wineserver -k >/dev/null 2>&1 || true
wait "$pid" 2>/dev/null || true
echo "$shot"
