# Sourced: the Wine environment of one build folder ($1, default build/). The folder's programs are
# 64-bit unless its configure step wrote "win32" into wine-arch. Debian's wine wrappers pick the
# 32-bit loader whenever its file exists, even on machines whose kernel cannot run it, so `wine`
# (and `wine-stable`, which wineboot and the other tools go through) is replaced on PATH by a
# shim that runs the loader of the folder's architecture explicitly.
mirelo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
mirelo_build=$(cd "${1:-$mirelo_root/build}" && pwd)
mirelo_arch=$(cat "$mirelo_build/wine-arch" 2>/dev/null || echo win64)
case "$mirelo_arch" in
    win32) mirelo_loader=/usr/lib/wine/wine ;;
    *) mirelo_arch=win64; mirelo_loader=/usr/lib/wine/wine64 ;;
esac
mirelo_shims="$mirelo_build/wine-bin"
if [ ! -x "$mirelo_shims/wine-stable" ] || ! grep -qF "$mirelo_loader\"" "$mirelo_shims/wine"; then
    mkdir -p "$mirelo_shims"
    for name in wine wine-stable; do
        printf '#!/bin/sh\nexec "%s" "$@"\n' "$mirelo_loader" >"$mirelo_shims/$name"
        chmod +x "$mirelo_shims/$name"
    done
fi
case ":$PATH:" in *":$mirelo_shims:"*) ;; *) export PATH="$mirelo_shims:$PATH" ;; esac
export WINELOADER="$mirelo_loader"
export WINEARCH="$mirelo_arch"
# A test that needs another DPI or desktop size names a prefix of its own.
export WINEPREFIX="${MIRELO_WINEPREFIX:-$mirelo_build/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# The Windows it plays: Chinese (code page 936, the default) or English (MIRELO_CODEPAGE=1252).
case "${MIRELO_CODEPAGE:-936}" in
    1252) export LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 ;;
    *) export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 ;;
esac
