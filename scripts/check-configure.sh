#!/usr/bin/env bash
# Configures the sources with the window, the tests and the benchmarks switched off and checks
# that the build then asks for nothing they alone need: no QtWidgets, QtPrintSupport or QtTest,
# no GoogleTest, no Google Benchmark.
#   scripts/check-configure.sh SOURCE_DIR
set -euo pipefail
source=$(cd "${1:?usage: $0 SOURCE_DIR}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake -S "$source" -B "$work" -G Ninja -DCHORDALIS_BUILD_GUI=OFF -DCHORDALIS_BUILD_TESTS=OFF \
    -DCHORDALIS_BUILD_BENCH=OFF >"$work/configure.log" 2>&1 ||
    { cat "$work/configure.log"; echo "FAIL: the core alone does not configure" >&2; exit 1; }
found=$(grep -E '^(Qt6Widgets|Qt6PrintSupport|Qt6Test|GTest|benchmark)_DIR:' "$work/CMakeCache.txt" || true)
if [ -n "$found" ]; then
    echo "FAIL: looked for what nothing built uses:" >&2
    echo "$found" >&2
    exit 1
fi
grep -q '^Qt6Gui_DIR:' "$work/CMakeCache.txt" || { echo "FAIL: Qt6Gui was not found" >&2; exit 1; }
grep -q '^build chordalis:' "$work/build.ninja" &&
    { echo "FAIL: the window program is still built" >&2; exit 1; }
echo "the core and the companion tool configure without the window, the tests and the benchmarks"
