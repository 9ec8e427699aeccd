#!/usr/bin/env bash
# The real Mirelo.exe in the test display, clicked through X as a user's mouse would: the top
# row's content arrives on the X clipboard exactly and its stored count goes up by one.
# Usage: x11_click_test.sh BUILD_DIR   (inside the display the test run provides)
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
work="$build/tests/x11_click"
rm -rf "$work" && mkdir -p "$work"
cp "$build/Mirelo.exe" "$work/"
cp "$build/demo.mdb" "$work/sys.mdb"
db="$work/sys.mdb"
heat="order by clicktimes desc,lasttime desc limit 1"
top_id=$(sqlite3 "$db" "select id from T_ITEM $heat")
# Characters no code page holds together reach the X clipboard exactly, on any system code page.
sqlite3 "$db" "update T_ITEM set data1=data1||' 😀 Zoë ß 𠮷' where id=$top_id"
expected=$(sqlite3 "$db" "select data1 from T_ITEM where id=$top_id")
count_before=$(sqlite3 "$db" "select clicktimes from T_ITEM where id=$top_id")
printf 'before' | xclip -selection clipboard

cd "$work"
wine ./Mirelo.exe >/dev/null 2>&1 </dev/null &
pid=$!
# Only this program ends: the session's Wine services stay for the tests that follow.
finish() { kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; }
trap finish EXIT

shot="$work/screen.png"
# The top row is the highest link-blue text on the screen: the top-left corner of its box.
box=$("$here/../../scripts/wait-rows.sh" "$shot" 60) || { echo "FAIL: the rows did not paint"; exit 1; }
x=$(( $(echo "$box" | sed -E 's/^[0-9]+x[0-9]+\+([0-9]+)\+[0-9]+$/\1/') + 4 ))
y=$(( $(echo "$box" | sed -E 's/^[0-9]+x[0-9]+\+[0-9]+\+([0-9]+)$/\1/') + 6 ))
xdotool mousemove "$x" "$y"
sleep 0.5
xdotool click 1

copied=
for _ in $(seq 50); do
    copied=$(xclip -o -selection clipboard 2>/dev/null || true)
    [ "$copied" = "$expected" ] && break
    sleep 0.1
done
count_after=$(sqlite3 "$db" "select clicktimes from T_ITEM where id=$top_id")
status=0
if [ "$copied" != "$expected" ]; then
    echo "FAIL: X clipboard holds '$copied', expected '$expected' (clicked at $x,$y)"
    status=1
fi
if [ "$count_after" != "$((count_before + 1))" ]; then
    echo "FAIL: clicktimes of item $top_id went from $count_before to $count_after"
    status=1
fi
[ $status = 0 ] && echo "clicked at $x,$y: '$copied' on the X clipboard, clicktimes $count_before -> $count_after"
exit $status
