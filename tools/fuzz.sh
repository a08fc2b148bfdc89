#!/usr/bin/env bash
# Builds the fuzz targets of tests/fuzz with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs each on its seed corpus in tests/fuzz/corpus/<target>.
#
#   tools/fuzz.sh [SECONDS] [TARGET...]
#
# SECONDS per target (default 300; 0 only builds); CI runs every target for a few seconds. New
# inputs found go to build-fuzz/corpus/<target> (the committed seeds stay as they are); a crash
# leaves its input in build-fuzz/ and makes the script fail.
#
# The build is a ninja file written to build-fuzz: every source is compiled once, whichever
# targets share it, FUZZ_JOBS at a time (default 2), and again only when it or a header it
# includes changed. FUZZ_CXX picks the compiler (default clang++).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-300}
shift || true
out=build-fuzz
mkdir -p "$out"

# The sources each target links besides tests/fuzz/<target>_fuzz.cpp.
validator="tools/validate-library/IniFile.cpp tools/validate-library/LibraryValidator.cpp
           tools/validate-library/MusicTheory.cpp"
theory="src/theory/Spelling.cpp src/theory/Neck.cpp src/theory/Positions.cpp"
library="src/library/IniReader.cpp src/library/Warnings.cpp src/library/LibraryLoader.cpp
         src/library/Voicings.cpp"
fretboard="src/fretboard/Geometry.cpp src/fretboard/NeckPicture.cpp src/fretboard/PictureSet.cpp
           src/fretboard/BuiltInNeck.cpp src/fretboard/Fretboard.cpp src/fretboard/Skins.cpp
           src/fretboard/NeckExtras.cpp src/fretboard/ChordBox.cpp"
displays="src/modes/AppState.cpp src/modes/TreeModel.cpp src/modes/LibraryTrees.cpp
          src/modes/Chords.cpp src/modes/Grips.cpp src/modes/Scales.cpp src/modes/Arpeggios.cpp src/modes/Notes.cpp
          src/modes/Triads.cpp src/modes/ChordScales.cpp src/modes/Finder.cpp src/modes/Modes.cpp
          src/modes/TreeClicks.cpp src/modes/ChordGrips.cpp"
voicings="src/voicings/ChordTones.cpp src/voicings/GripSearch.cpp"
declare -A sources=(
    [validator_folder]="$validator"
    [midi_file]="src/sound/MidiFile.cpp src/sound/MidiTranspose.cpp src/modes/Info.cpp
                 src/library/IniReader.cpp src/theory/Spelling.cpp"
    [report_descriptor]="src/ledguitar/ReportDescriptor.cpp"
    [led_frame]="src/ledguitar/LedPattern.cpp"
    [library_folder]="$theory $library $fretboard $voicings $displays"
    [settings]="src/app/Settings.cpp src/modes/AppState.cpp"
    [wav_reader]="src/listening/WavReader.cpp"
    [cli_arguments]="tools/cli/CliArguments.cpp src/theory/Spelling.cpp"
    [grip_search]="$voicings src/theory/Spelling.cpp"
    [typed_text]="src/practice/Questions.cpp src/progressions/Keys.cpp
                  src/progressions/Progression.cpp src/progressions/Chart.cpp
                  src/progressions/ChordPro.cpp src/progressions/MusicXml.cpp
                  src/search/SearchIndex.cpp src/voicings/ChordTones.cpp $theory $library"
)
all=(validator_folder midi_file report_descriptor led_frame library_folder settings wav_reader
     cli_arguments grip_search typed_text)
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=("${all[@]}")
for t in "${targets[@]}"; do
    [ -n "${sources[$t]+set}" ] || { echo "unknown fuzz target $t (known: ${all[*]})" >&2; exit 2; }
done

# Every target is in the ninja file, whichever are built now. Paths are relative to build-fuzz.
{
    echo "cxx = ${FUZZ_CXX:-clang++}"
    echo "flags = -std=c++20 -gline-tables-only -O1 -fno-omit-frame-pointer" \
         "-fsanitize=address,undefined -fno-sanitize-recover=undefined -fPIC -DQT_NO_KEYWORDS" \
         "-I ../src -I ../tools/validate-library -I ../tools/cli $(pkg-config --cflags Qt6Gui)"
    echo "libs = $(pkg-config --libs Qt6Gui)"
    echo "rule cxx"
    echo "  command = nice \$cxx \$flags -fsanitize=fuzzer-no-link -MMD -MF \$out.d" \
         "-c \$in -o \$out"
    echo "  depfile = \$out.d"
    echo "  deps = gcc"
    echo "  description = compiling \$in"
    echo "rule link"
    echo "  command = nice \$cxx \$flags -fsanitize=fuzzer \$in \$libs -o \$out"
    echo "  description = linking \$out"
    declare -A compiled=()
    for t in "${all[@]}"; do
        objects=()
        for src in "tests/fuzz/${t}_fuzz.cpp" ${sources[$t]}; do
            obj="obj/${src%.cpp}.o"
            objects+=("$obj")
            if [ -z "${compiled[$obj]+set}" ]; then
                echo "build $obj: cxx ../$src"
                compiled[$obj]=1
            fi
        done
        echo "build ${t}_fuzz: link ${objects[*]}"
    done
} >"$out/build.ninja.new"
# Rewritten only when it changed, so that ninja keeps its record of what is built.
if cmp -s "$out/build.ninja.new" "$out/build.ninja"; then
    rm "$out/build.ninja.new"
else
    mv "$out/build.ninja.new" "$out/build.ninja"
fi
echo "== building ${targets[*]}"
ninja -C "$out" -j "${FUZZ_JOBS:-2}" $(printf '%s_fuzz ' "${targets[@]}")
[ "$seconds" != 0 ] || exit 0

# FUZZ_JOBS targets fuzz at a time; each reports when all are done, in the order given.
fuzz() {
    local t=$1
    mkdir -p "$out/corpus/$t" "tests/fuzz/corpus/$t"
    (cd "$out" && ASAN_OPTIONS=detect_leaks=1 "./${t}_fuzz" -max_total_time="$seconds" \
        -max_len=65536 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        "corpus/$t" "../tests/fuzz/corpus/$t" 2>"$t.log")
}
echo "== fuzzing ${targets[*]} for ${seconds}s each"
declare -A pids=()
for t in "${targets[@]}"; do
    while [ "$(jobs -rp | wc -l)" -ge "${FUZZ_JOBS:-2}" ]; do
        wait -n || true
    done
    fuzz "$t" &
    pids[$t]=$!
done
status=0
for t in "${targets[@]}"; do
    if wait "${pids[$t]}"; then
        echo "== $t: $(grep -Eo "Done [0-9]+ runs in [0-9]+ second\(s\)" "$out/$t.log" | tail -1)"
    else
        echo "!! $t failed; see $out/$t.log"
        tail -40 "$out/$t.log"
        status=1
    fi
done
exit $status
