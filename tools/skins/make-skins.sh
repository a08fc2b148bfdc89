#!/bin/sh
# Remakes the neck pictures of data/fretboards: chordalis-skins paints them as PNG, ImageMagick
# reduces each to 256 colours with Floyd-Steinberg dithering and writes the GIF.
#
#   tools/skins/make-skins.sh [BUILD_DIR]     (default: build)
#
# Needs ImageMagick's convert (Debian package imagemagick), used only here.
set -eu

root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
convert=/usr/bin/convert
[ -x "$convert" ] || { echo "make-skins.sh: $convert is missing (apt-get install imagemagick)" >&2; exit 1; }

cmake --build "$build" --target chordalis-skins
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

"$build/tools/skins/chordalis-skins" "$scratch" >/dev/null
for png in "$scratch"/*.png; do
    name=$(basename "$png" .png)
    # -strip: no comments or time stamps, so the same painting gives the same file.
    "$convert" "$png" -strip -dither FloydSteinberg -colors 256 "$root/data/fretboards/$name.gif"
    echo "data/fretboards/$name.gif"
done
