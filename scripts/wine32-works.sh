#!/usr/bin/env bash
# Exit 0 when this machine runs 32-bit Windows programs: Wine's 32-bit loader is a 32-bit Linux
# program, and some kernels run none ("Exec format error"). Otherwise prints why not.
loader=${MIRELO_WINE32_LOADER:-/usr/lib/wine/wine}
if [ ! -x "$loader" ]; then
    echo "$loader is not installed"
    exit 1
fi
if ! out=$("$loader" --version 2>&1 </dev/null); then
    echo "$loader --version failed: ${out:-no output}" | head -n 1
    exit 1
fi
