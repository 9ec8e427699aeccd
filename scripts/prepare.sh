#!/usr/bin/env bash
# Installs what is missing and builds the tree into the build folder given (default: build).
set -euo pipefail
here=$(dirname "$0")
"$here/install-deps.sh"
"$here/fetch-sqlite.sh"
"$here/build.sh" "$@"
