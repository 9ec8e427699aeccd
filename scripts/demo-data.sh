#!/usr/bin/env bash
# Copies the demo items into build/sys.mdb while it holds no items (never over a user's data).
set -euo pipefail
build=$1
db="$build/sys.mdb"
demo="$build/demo.mdb"
[ -f "$demo" ] || exit 0
if [ ! -f "$db" ] || [ "$(sqlite3 "$db" 'select count(*) from T_ITEM' 2>/dev/null || echo x)" = 0 ]; then
    cp "$demo" "$db"
fi
