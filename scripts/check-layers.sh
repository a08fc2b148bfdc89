#!/usr/bin/env bash
# Checks that each folder of src/ includes only its own layer and the layers below it, and that
# no include climbs out of its folder with "..". The build already refuses an upward include
# through the include paths; a relative path would slip past them, so this runs as a test.
#
# A backends/ folder (src/sound/backends, src/ledguitar/backends, src/listening/backends) is a layer of its own above its
# parent: it may include its parent and what the parent may include, but the parent may not
# include it (its include path sees the folder all the same), and only the layers that own the
# devices (app) may.
set -euo pipefail
cd "$(dirname "$0")/../src"

declare -A allowed=(
    [theory]="theory"
    [library]="library theory"
    [search]="search library theory"
    [practice]="practice progressions search library voicings theory"
    [voicings]="voicings theory"
    [progressions]="progressions search library voicings theory"
    [fretboard]="fretboard theory"
    [ledguitar]="ledguitar fretboard theory"
    [sound]="sound theory"
    [modes]="modes library voicings fretboard sound theory"
    [listening]="listening modes library voicings fretboard sound theory"
    [print]="print modes progressions search library voicings fretboard sound theory"
    [app]="app print listening modes progressions search practice library voicings fretboard sound theory ledguitar"
    [ui]="ui app print listening modes progressions search practice library voicings fretboard sound theory ledguitar"
)
for sublayer in */backends; do
    parent=${sublayer%%/*}
    if [[ -d $sublayer && -n ${allowed[$parent]:-} && -z ${allowed[$sublayer]:-} ]]; then
        allowed[$sublayer]="$sublayer ${allowed[$parent]}"
    fi
done
allowed[app]+=" sound/backends ledguitar/backends listening/backends" # the program owns the devices

# The layer of a path below src/ (a file, or an include's target) into $layer: its first folder,
# or that folder's backends/ sub-layer.
layer_of() {
    layer=${1%%/*}
    if [[ $1 == */backends/* && ${1#*/} == backends/* ]]; then
        layer+=/backends
    fi
}

faults=0
while IFS=: read -r file line text; do
    layer_of "$file"
    folder=$layer
    # Matched in bash, not by a process per line: there are hundreds of them.
    [[ $text =~ include[[:space:]]*\"([^\"]*)\" ]] || continue
    target=${BASH_REMATCH[1]}
    if [[ $target == *..* ]]; then
        echo "src/$file:$line: includes \"$target\": name the layer instead of climbing with .."
        faults=$((faults + 1))
        continue
    fi
    [[ $target == */* ]] || continue # a file of the same folder
    layer_of "$target"
    if [[ -z ${allowed[$folder]:-} ]]; then
        echo "src/$file: folder $folder is not a known layer"
        faults=$((faults + 1))
    elif [[ " ${allowed[$folder]} " != *" $layer "* ]]; then
        echo "src/$file:$line: $folder may not include $target (layer $layer)"
        faults=$((faults + 1))
    fi
done < <(grep -rnE '^\s*#\s*include\s*"' --include='*.h' --include='*.cpp' .  | sed 's@^\./@@')

echo "$faults layering faults"
[ "$faults" -eq 0 ]
