#!/usr/bin/env bash
# Runs a command inside a private Xvfb display with the build folder's Wine prefix ready.
# Usage: with-display.sh BUILD_DIR COMMAND [ARGS...]
set -euo pipefail
build=$1; shift
here=$(dirname "$0")
. "$here/wine-env.sh" "$build"

# Xvfb picks a free display itself and writes its number once it accepts clients.
exec {display_fd}<> <(:)
Xvfb -displayfd "$display_fd" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    kill "$xvfb_pid" >/dev/null 2>&1 || true
    wait "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
display=
read -r -t 30 -u "$display_fd" display || true
exec {display_fd}<&-
if [ -z "$display" ] || ! kill -0 "$xvfb_pid" 2>/dev/null; then
    echo "Xvfb did not start a display" >&2
    exit 1
fi
export DISPLAY=":$display"

"$here/wine-prefix.sh" "$build"
# Start Wine's services first, detached from our output: a CTest child must not be their parent.
wineserver -p >/dev/null 2>&1 </dev/null
wine cmd /c exit >/dev/null 2>&1 </dev/null
set +e
"$@"
status=$?
set -e
exit $status
