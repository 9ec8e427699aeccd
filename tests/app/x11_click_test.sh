#!/usr/bin/env bash
# The real Mirelo.exe in the test display, used through X as a user's mouse and keyboard would:
# with another program in front, a right click on the tray icon opens the menu and the keyboard's Up
# and Enter choose 退出, which ends the program; started again, a click on the top row puts its
# content on the X clipboard exactly and its stored count goes up by one.
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
shot="$work/screen.png"
pid=
other=
# Only these programs end: the session's Wine services stay for the tests that follow.
finish() { kill $pid $other 2>/dev/null || true; wait $pid $other 2>/dev/null || true; }
trap finish EXIT

wine ./Mirelo.exe >/dev/null 2>&1 </dev/null &
pid=$!
"$here/../../scripts/wait-rows.sh" "$shot" 60 >/dev/null || { echo "FAIL: the rows did not paint"; exit 1; }
# Another program in front has the keyboard; the tray icon is the one orange thing on the screen.
wine "$build/tests/other_program.exe" >/dev/null 2>&1 </dev/null &
other=$!
poll() { for _ in $(seq 100); do "$@" && return; sleep 0.1; done; false; }
other_in_front() { [ "$(xdotool getwindowfocus getwindowname)" = "other program" ]; }
menu_open() { [ "$(xdotool search --onlyvisible --class mirelo.exe | wc -l)" -gt 1 ]; }
ended() { ! kill -0 "$pid" 2>/dev/null; }
poll other_in_front || { echo "FAIL: no other program in front"; exit 1; }
import -window root -depth 8 "$shot"
icon=$(convert "$shot" -fill black -fuzz 8% +opaque 'rgb(230,120,20)' -format '%@' info:)
[[ $icon =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || { echo "FAIL: no tray icon on the screen"; exit 1; }
xdotool mousemove $((BASH_REMATCH[3] + BASH_REMATCH[1] / 2)) $((BASH_REMATCH[4] + BASH_REMATCH[2] / 2)) click 3
poll menu_open || { echo "FAIL: no tray menu after a right click on the icon"; exit 1; }
# Up from no entry reaches the last one, 退出.
xdotool key Up Return
poll ended || { echo "FAIL: with another program in front, the tray menu took no Up and Enter"; exit 1; }
kill "$other" && wait "$other" 2>/dev/null || true
other=

wine ./Mirelo.exe >/dev/null 2>&1 </dev/null &
pid=$!
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
