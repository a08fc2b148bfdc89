#!/usr/bin/env bash
# Checks that each folder of src/ includes only its own layer and the layers below it, and that
# no include climbs out of its folder with "..". The build already refuses an upward include
# through the include paths; a relative path would slip past them, so this runs as a test.
set -euo pipefail
cd "$(dirname "$0")/../src"

declare -A allowed=(
    [theory]="theory"
    [library]="library theory"
    [fretboard]="fretboard theory"
    [ledguitar]="ledguitar fretboard theory"
    [sound]="sound theory"
    [modes]="modes library fretboard sound theory"
    [print]="print modes library fretboard sound theory"
    [app]="app print modes library fretboard sound theory ledguitar"
    [ui]="ui app print modes library fretboard sound theory ledguitar"
)

faults=0
while IFS=: read -r file line text; do
    folder=${file%%/*}
    target=$(sed -E 's/.*#include "([^"]*)".*/\1/' <<<"$text")
    if [[ $target == *..* ]]; then
        echo "src/$file:$line: includes \"$target\": name the layer instead of climbing with .."
        faults=$((faults + 1))
        continue
    fi
    layer=${target%%/*}
    [[ $target == */* ]] || continue # a file of the same folder
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
