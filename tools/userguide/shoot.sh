#!/usr/bin/env bash
# Takes the user guide's screenshots from the running program.
#   tools/userguide/shoot.sh [BUILD_DIR] [OUT_DIR]
# Runs the program under Xvfb (through /work/shared/tools/screenshot.sh or any script with the
# same interface, given as SCREENSHOT), drives it with xdotool and saves raw PNGs in OUT_DIR;
# tools/userguide/crop.sh then crops and optimises them into data/userguide/;
# tools/userguide/make_rmp.py writes data/system/rmp.htm with its neck diagrams.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=$(readlink -f "${1:-build}")
out=$(mkdir -p "${2:-/tmp/userguide-shots}" && cd "${2:-/tmp/userguide-shots}" && pwd)
screenshot=${SCREENSHOT:-/work/shared/tools/screenshot.sh}
# A settings folder of its own: the shots start from the program's defaults.
cfg=$(mktemp -d)
trap 'rm -rf "$cfg"' EXIT
UG_OUT=$out XDG_CONFIG_HOME=$cfg CHORDALIS_LED_GUITAR=simulated \
    "$screenshot" "$out/start.png" --wait 6 --script "$here/drive.sh" -- "$build/chordalis"
