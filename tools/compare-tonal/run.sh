#!/bin/sh
# Compares data/chord.ini and data/scale.ini with the chord and scale dictionaries of the npm
# package tonal (version 6), which it installs beside itself on first use (node_modules is
# ignored by git). Needs node and npm; nothing in the build or the tests depends on it.
#
# Usage: tools/compare-tonal/run.sh [DATA_DIR] [--aliases]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
if [ ! -d "$here/node_modules/tonal" ]; then
    npm install --prefix "$here" --no-audit --no-fund --loglevel=error >&2
fi
exec node "$here/compare.mjs" "$@"
