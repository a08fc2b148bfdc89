# Sourced by tools/userguide/shoot.sh inside the virtual display: drives the program with
# xdotool and saves each window it needs into $UG_OUT. Coordinates are those of the main
# window at its first size (about 1000 x 700 pixels), placed at the top left.
W=$(xdotool search --name "Chordalis - The" | head -1)
xdotool windowmove "$W" 0 0
sleep 0.5
screen() { import -window root -crop "${2:-1010x720+0+0}" +repage "$UG_OUT/$1"; }
main() { import -window "$W" "$UG_OUT/$1"; }
win() { # the window that has the keyboard focus (a dialog just opened)
    local id
    id=$(xdotool getwindowfocus 2>/dev/null || true)
    if [ -n "$id" ] && [ "$id" != "$W" ]; then import -window "$id" "$UG_OUT/$1"; else screen "$1"; fi
}
click() { xdotool mousemove "$1" "$2" click "${3:-1}"; sleep "${4:-0.4}"; }
keys() { xdotool key --delay 60 "$@"; sleep 0.4; }
root() { # root tab by index: C=0, C#=1, Db=2 ... B=16
    click "$(((35 + 556 * $1 / 10) * 1045 / 1000))" 287
}
mode() { keys "ctrl+$1"; sleep 0.4; }
# the n-th entry (1 = first) of the first group of the left-hand tree
item() { click 73 366; keys Home Left Right; for _ in $(seq "$1"); do xdotool key Down; sleep 0.08; done; sleep 0.5; }
# neck: string 1..6, fret -1 (open) or 1..15, in the surface's units, scaled to the window
neck() {
    local xs=(33 79 142 202 259 313 363 410 455 499 541 580 616 650 681 712)
    local f=$2; [ "$f" -lt 0 ] && f=0
    local ys=(0 33 56 80 104 128 151)
    click "$((8 + ${xs[$f]} * 1304 / 1000))" "$((28 + ${ys[$1]} * 1304 / 1000))"
}
neutral() { click 950 440; }

neutral
# The first five minutes: root G, the major chord, its open grip.
root 10
item 1
click 395 368
main chords-open-g.png
# A movable shape: A minor 7, root on the 5th string.
root 13
item 5
click 395 368; keys Down Down
main chords.png


# Scales: A minor pentatonic, all positions, then the 5th position five frets wide.
mode 2; item 9
click 550 537; keys Down Down Down Down Down Down Return
click 570 562
main scales.png

# Arpeggios: G dominant 7 over the whole neck.
root 10; mode 3; item 3
main arpeggios.png

# Notes: every G.
mode 4
main notes.png

# Triads: C major, 1st inversion, strings 4-3-2.
root 0; mode 5
click 73 366; keys Home Left Right Down Down
main triads-pick.png

# Chord/Scale: G7 with its first related scale.
root 10; mode 6; item 3
main chordscale-pick.png

# Chord finder: C major with E in the bass (0 3 2 0 1 0 from the 6th string).
mode 7
neck 6 -1; neck 5 3; neck 4 2; neck 3 -1; neck 2 1; neck 1 -1
main finder.png

# Chords again, with the info window.
mode 1; root 13; item 5; click 395 368; keys Down Down
main chords.png
click 854 669 1 2
win info.png
keys Escape; sleep 1

# Menus
neutral
keys alt+v; screen menu-view.png; keys Escape Escape

# Dialogs
neutral; keys alt+o p; sleep 1; win dlg-playback.png; keys Escape; sleep 0.5
neutral; keys alt+o t; sleep 1; win dlg-tuning.png; keys Escape; sleep 0.5
neutral; keys alt+o m; sleep 1; win dlg-metronome.png; keys Escape; sleep 0.5
neutral; keys alt+o c; sleep 1; win dlg-colours.png; keys Escape; sleep 0.5
neutral; keys alt+o Up Up Return; sleep 1; win dlg-fretboard.png; keys Escape; sleep 0.5
neutral; keys alt+o Down Down Down Down Down Return; sleep 1; win dlg-fretlight.png; keys Escape; sleep 0.5
neutral; keys alt+h a; sleep 1; win dlg-about.png; keys Escape; sleep 0.5

# View choices: intervals, fret numbers, the position shaded, on the scale page.
neutral; mode 2
keys alt+v l i; keys alt+v u 3; keys alt+v p; sleep 1.5
main view-intervals.png
keys alt+v l f; keys alt+v u n; keys alt+v p

# Left-handed
neutral; mode 1
keys alt+o l; sleep 1.5
main left-handed.png
keys alt+o r

# Last: the LED guitar view is a window of its own that stays open over the main window.
neutral; keys alt+o g; sleep 1; win dlg-ledview.png
