#!/usr/bin/env bash
# Creates the Wine prefix of a build folder once: virtual desktop, no crash dialog, font names.
set -euo pipefail
. "$(dirname "$0")/wine-env.sh" "${1:-}"
marker="$WINEPREFIX/.mirelo-ready"
# The marker names the prefix's architecture: a prefix of the other one is made anew.
[ "$(cat "$marker" 2>/dev/null)" = "$WINEARCH" ] && exit 0
rm -rf "$WINEPREFIX"
wineboot -i >/dev/null 2>&1 </dev/null
reg() {
    local out
    if ! out=$(wine reg add "$@" /f 2>&1 </dev/null); then
        echo "wine reg add $* failed: $out" >&2
        exit 1
    fi
}
# A desktop with a taskbar and notification area, as on Windows (the "shell" desktop has them).
reg 'HKCU\Software\Wine\Explorer' /v Desktop /d shell
reg 'HKCU\Software\Wine\Explorer\Desktops' /v shell /d 1024x768
# A crashing test must fail, not wait on a dialog.
reg 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
reg 'HKCU\Software\Wine\Fonts\Replacements' /v SimSun /d 'WenQuanYi Micro Hei'
reg 'HKCU\Software\Wine\Fonts\Replacements' /v '宋体' /d 'WenQuanYi Micro Hei'
wineserver -w
echo "$WINEARCH" >"$marker"
