#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")"
# ./test.sh            the normal build in ./build
# ./test.sh --sanitize the same suite built with AddressSanitizer and UndefinedBehaviorSanitizer
#                      in ./build-sanitize
build=build
skip=()
case "${1:-}" in
    "") ;;
    --sanitize) build=build-sanitize ;;
    *) echo "usage: $0 [--sanitize]" >&2; exit 2 ;;
esac
scripts/install-deps.sh test
if [ "$build" = build ]; then
    # Warnings are errors in the test run, so that none slips in; line tables only (what a
    # failure's backtrace needs), which takes a quarter off the compile time of full debug
    # information.
    scripts/build.sh -DCHORDALIS_WERROR=ON -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG"
else
    # -O1 and line tables only: what the sanitizers need for their reports, at a fraction of the
    # compile time of a full optimised build with debug information.
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCHORDALIS_SANITIZE=ON \
        -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1" -DCHORDALIS_BUILD_BENCH=OFF >/dev/null
    cmake --build "$build" -j"$(nproc)"
    # Leaks inside system libraries only; each entry says which and why.
    export LSAN_OPTIONS="suppressions=$PWD/tests/sanitize/lsan.supp:print_suppressions=0"
    export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
    # Left to the normal run: the install and package check (nothing of ours runs in it that the
    # suite does not run) and the validator's checks of whole libraries, whose exhaustive searches
    # of every grip take minutes each under the sanitizers; the validator meets hostile data under
    # them in its hostile-value test here and in the validator fuzz targets.
    skip=(-E 'installs_runs_and_packages|LibraryValidatorTest[.](Catches|Demands|LeavesOut|TheShipped|TheSummary|HelpPages)')
fi
export QT_QPA_PLATFORM=offscreen
# A runtime folder of the run's own where the session has none (CI, a root shell): without one,
# the sound libraries link theirs into the settings folder that the tests expect untouched.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    export XDG_RUNTIME_DIR="$PWD/$build/test-runtime"
    mkdir -p -m 700 "$XDG_RUNTIME_DIR"
fi

# A JACK server with the dummy driver for the MIDI port tests, stopped when the run ends. Without
# it (jackd missing or refusing to start) those tests start their own or say why they skip.
export JACK_NO_START_SERVER=1
jackd_pid=""
if command -v jackd >/dev/null && [ "$(jack_wait -c 2>/dev/null)" != running ]; then
    jackd --no-realtime -d dummy -r 48000 -p 256 >"$build/jackd.log" 2>&1 &
    jackd_pid=$!
    trap 'kill "$jackd_pid" 2>/dev/null; wait "$jackd_pid" 2>/dev/null || true' EXIT
    jack_wait -w -t 5 >/dev/null 2>&1 || echo "note: the JACK server did not start (see $build/jackd.log)"
fi

ctest --test-dir "$build" --output-on-failure -j"$(nproc)" --timeout 300 "${skip[@]}"
