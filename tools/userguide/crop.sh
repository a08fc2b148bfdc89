#!/usr/bin/env bash
# Turns the raw shots of shoot.sh into the user guide's pictures, and adds the printed sheet.
#   tools/userguide/crop.sh [BUILD_DIR] [SHOTS_DIR] [GUIDE_DIR]
# Pictures are reduced to a 256-colour palette, which keeps screenshots sharp and small.
set -eu
build=$(readlink -f "${1:-build}")
shots=${2:-/tmp/userguide-shots}
guide=${3:-data/userguide}
small() { convert "$1" -strip +dither -colors 256 "PNG8:$2"; }

# Main window shots: the window as it is (1000 x 700).
for pair in chords:main-window chords-open-g:first-five scales:scales arpeggios:arpeggios \
    notes:notes triads-pick:triads chordscale-pick:chordscale finder:finder \
    view-intervals:view-intervals left-handed:left-handed; do
    small "$shots/${pair%%:*}.png" "$guide/${pair##*:}.png"
done
# The View menu over the top of the window.
convert "$shots/menu-view.png" -crop 1000x390+0+0 +repage "$shots/menu-view-cut.png"
small "$shots/menu-view-cut.png" "$guide/menu-view.png"
# Dialogs: each window on its own; the neck picture dialog may come as the whole screen.
for name in playback tuning metronome colours fretlight ledview about info; do
    src=$shots/dlg-$name.png
    [ "$name" = info ] && src=$shots/info.png
    small "$src" "$guide/dlg-$name.png"
done
mv "$guide/dlg-info.png" "$guide/info.png"
convert "$shots/dlg-fretboard.png" -trim +repage "$shots/dlg-fretboard-cut.png"
small "$shots/dlg-fretboard-cut.png" "$guide/dlg-fretboard.png"

# The printed reference sheet, from the same drawing as File > Print.
tmp=$(mktemp -d)
"$build/chordalis-cli" print scale --root A --item 8 --position 6 --five --pdf "$tmp/sheet.pdf" >/dev/null
pdftoppm -png -r 90 "$tmp/sheet.pdf" "$tmp/sheet"
convert "$tmp"/sheet-1.png -trim -bordercolor white -border 20 +repage "$tmp/sheet-cut.png"
small "$tmp/sheet-cut.png" "$guide/sheet.png"
rm -rf "$tmp"
du -ch "$guide"/*.png | tail -1
