#!/usr/bin/env bash
# Builds the fuzz targets of tests/fuzz with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs each on its seed corpus in tests/fuzz/corpus/<target>.
#
#   tools/fuzz.sh [SECONDS] [TARGET...]
#
# SECONDS per target (default 300); CI runs every target for a few seconds. New inputs found go
# to build-fuzz/corpus/<target> (the committed seeds stay as they are); a crash leaves its input
# in build-fuzz/ and makes the script fail.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-300}
shift || true
out=build-fuzz
mkdir -p "$out"

cxx=${FUZZ_CXX:-clang++}
flags=(-std=c++20 -g -O1 -fno-omit-frame-pointer -fsanitize=fuzzer,address,undefined
       -fno-sanitize-recover=undefined -fPIC -I src -I tools/validate-library)
read -r -a qt <<<"$(pkg-config --cflags --libs Qt6Core)"

validator=(tools/validate-library/IniFile.cpp tools/validate-library/LibraryValidator.cpp
           tools/validate-library/MusicTheory.cpp)
declare -A sources=(
    [validator_ini]="tools/validate-library/IniFile.cpp"
    [validator_folder]="${validator[*]}"
    [spelling]="src/theory/Spelling.cpp"
    [midi_file]="src/sound/MidiFile.cpp"
    [report_descriptor]="src/ledguitar/ReportDescriptor.cpp"
    [led_frame]="src/ledguitar/LedPattern.cpp"
)
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(validator_ini validator_folder spelling midi_file
                                      report_descriptor led_frame)

status=0
for t in "${targets[@]}"; do
    bin="$out/${t}_fuzz"
    read -r -a src <<<"${sources[$t]}"
    if [ ! -x "$bin" ] || [ -n "$(find tests/fuzz/${t}_fuzz.cpp "${src[@]}" -newer "$bin")" ]; then
        echo "== building $t"
        nice "$cxx" "${flags[@]}" "tests/fuzz/${t}_fuzz.cpp" "${src[@]}" "${qt[@]}" -o "$bin"
    fi
    mkdir -p "$out/corpus/$t" "tests/fuzz/corpus/$t"
    echo "== fuzzing $t for ${seconds}s"
    if ! (cd "$out" && ASAN_OPTIONS=detect_leaks=1 "./${t}_fuzz" -max_total_time="$seconds" \
            -max_len=65536 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
            "corpus/$t" "../tests/fuzz/corpus/$t" 2>"$t.log"); then
        echo "!! $t failed; see $out/$t.log"
        tail -40 "$out/$t.log"
        status=1
    fi
    grep -E "stat::number_of_executed_units|Done [0-9]+ runs" "$out/$t.log" | tail -2 || true
done
exit $status
