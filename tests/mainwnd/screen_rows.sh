#!/usr/bin/env bash
# Runs each row of the screen test in a Wine prefix of the row's DPI and desktop size, made once
# beside the build's own prefix (which stays at 96 DPI). Wine reads the DPI when the prefix's first
# program starts, so the prefix's programs are ended between rows.
# Usage: screen_rows.sh BUILD_DIR TEST_PROGRAM
set -euo pipefail
build=$(cd "$1" && pwd)
program=$2
here=$(cd "$(dirname "$0")" && pwd)
export MIRELO_WINEPREFIX="$build/wineprefix-screens"
"$here/../../scripts/wine-prefix.sh" "$build"
. "$here/../../scripts/wine-env.sh" "$build"
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT

status=0
rows=$(wine "$program" --gtest_list_tests </dev/null | tr -d '\r' | sed -n 's/^  [A-Za-z]*\/\(dpi[0-9]*_[0-9]*x[0-9]*\).*/\1/p')
[ -n "$rows" ] || { echo "no rows listed by $program" >&2; exit 1; }
for row in $rows; do
    dpi=${row#dpi}; dpi=${dpi%%_*}
    size=${row#*_}
    # One program writes both values: each start of one costs a noticeable part of a row.
    printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n"LogPixels"=dword:%08x\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\r\n"shell"="%s"\r\n' \
        "$dpi" "$size" >"$WINEPREFIX/screen-row.reg"
    reg_file="Z:${WINEPREFIX//\//\\}\\screen-row.reg"
    wine regedit /s "$reg_file" >/dev/null 2>&1 </dev/null
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w
    # Wine's services start detached from our output, as with-display.sh starts them.
    wineserver -p >/dev/null 2>&1 </dev/null
    wine cmd /c exit >/dev/null 2>&1 </dev/null
    echo "== $row"
    wine "$program" --gtest_filter="Screens/ScreenScale.*/$row" </dev/null || status=1
done
exit $status
