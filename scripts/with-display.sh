#!/usr/bin/env bash
# Runs a command inside a private Xvfb display with the build folder's Wine prefix ready.
# Usage: with-display.sh BUILD_DIR COMMAND [ARGS...]
set -euo pipefail
build=$1; shift
here=$(dirname "$0")
. "$here/wine-env.sh" "$build"

display=
for n in $(seq 91 190); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=$n; break; fi
done
[ -n "$display" ] || { echo "no free X display" >&2; exit 1; }
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    kill "$xvfb_pid" >/dev/null 2>&1 || true
    wait "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
export DISPLAY=":$display"
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.05; done

"$here/wine-prefix.sh" "$build"
# Start Wine's services first, detached from our output: a CTest child must not be their parent.
wineserver -p >/dev/null 2>&1 </dev/null
wine cmd /c exit >/dev/null 2>&1 </dev/null
set +e
"$@"
status=$?
set -e
exit $status
