# Sourced: the Wine environment of one build folder ($1, default build/).
mirelo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
mirelo_build=$(cd "${1:-$mirelo_root/build}" && pwd)
export WINEPREFIX="$mirelo_build/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
