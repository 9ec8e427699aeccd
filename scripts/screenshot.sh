#!/usr/bin/env bash
# Inside a display: starts Mirelo, waits until its rows have painted, saves a screenshot, ends it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
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
if ! "$here/wait-rows.sh" "$shot" >/dev/null; then
    echo "the rows did not paint (screenshot of the last state: $shot)" >&2
    wineserver -k >/dev/null 2>&1 || true
    exit 1
fi
wineserver -k >/dev/null 2>&1 || true
wait "$pid" 2>/dev/null || true
echo "$shot"
