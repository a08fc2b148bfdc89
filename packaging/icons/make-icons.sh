#!/usr/bin/env bash
# Renders the PNG sizes of the hicolor icon theme from org.chordalis.Chordalis.svg. The PNG files
# are kept in the tree, so building needs no SVG renderer; run this after editing the SVG. Needs
# ImageMagick's convert (Debian package imagemagick).
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 24 32 48 64 128 256; do
    mkdir -p "hicolor/${size}x${size}/apps"
    convert -background none -density $((size * 72 * 4 / 128)) org.chordalis.Chordalis.svg \
        -resize "${size}x${size}" -depth 8 -strip "hicolor/${size}x${size}/apps/org.chordalis.Chordalis.png"
done
