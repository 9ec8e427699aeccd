#!/usr/bin/env bash
# Creates the Wine prefix of a build folder once: virtual desktop, no crash dialog, font names.
set -euo pipefail
. "$(dirname "$0")/wine-env.sh" "${1:-}"
marker="$WINEPREFIX/.mirelo-ready"
[ -f "$marker" ] && exit 0
rm -rf "$WINEPREFIX"
wineboot -i >/dev/null 2>&1 </dev/null
reg() { wine reg add "$@" /f >/dev/null 2>&1 </dev/null; }
# A desktop with a taskbar and notification area, as on Windows (the "shell" desktop has them).
reg 'HKCU\Software\Wine\Explorer' /v Desktop /d shell
reg 'HKCU\Software\Wine\Explorer\Desktops' /v shell /d 1024x768
# A crashing test must fail, not wait on a dialog.
reg 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
reg 'HKCU\Software\Wine\Fonts\Replacements' /v SimSun /d 'WenQuanYi Micro Hei'
reg 'HKCU\Software\Wine\Fonts\Replacements' /v '宋体' /d 'WenQuanYi Micro Hei'
wineserver -w
touch "$marker"
