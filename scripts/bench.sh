#!/usr/bin/env bash
# Runs every benchmark once, one after the other, and keeps what they print in build/bench.txt:
# the library and display model, the name search, the main window's redraws and root change, the
# start-up in a virtual display (with and without a JACK server in sight), and the timing of what
# is heard (about five minutes at 44.1 kHz, then shorter runs at 48 and 96 kHz).
# Usage: scripts/bench.sh [build folder]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
scripts/install-deps.sh bench
cmake --build "$build" --target chordalis chordalis_bench chordalis_window_bench \
    chordalis_startup_bench chordalis_timing chordalis_grip_bench chordalis_search_bench \
    chordalis_progression_bench

# A JACK server with the dummy driver for the port figures, stopped at the end.
export JACK_NO_START_SERVER=1
jackd_pid=""
if [ "$(jack_wait -c 2>/dev/null)" != running ]; then
    jackd --no-realtime -d dummy -r 48000 -p 256 >"$build/jackd-bench.log" 2>&1 &
    jackd_pid=$!
    trap 'kill "$jackd_pid" 2>/dev/null; wait "$jackd_pid" 2>/dev/null || true' EXIT
    jack_wait -w -t 5 >/dev/null
fi

{
    echo "== $(date -u '+%F %T') on $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)"
    echo "== library and display model"
    "$build/bench/chordalis_bench" --benchmark_min_time=1 2>&1 | grep -v '^\*\*\*WARNING'
    echo "== the voicing engine: recall of the library's grips, and speed"
    "$build/bench/chordalis_grip_bench" --recall --benchmark_min_time=1 2>&1 |
        grep -v '^\*\*\*WARNING'
    echo "== the name search: 10,000 queries"
    "$build/bench/chordalis_search_bench"
    echo "== keys and progressions: keys, a 32-chord progression voiced, ten compared"
    "$build/bench/chordalis_progression_bench"
    echo "== main window"
    "$build/bench/chordalis_window_bench" --benchmark_min_time=1 2>&1 | grep -v '^\*\*\*WARNING'
    echo "== start-up, a JACK server running"
    "$build/bench/chordalis_startup_bench" --runs 20
    echo "== start-up, no JACK server in sight"
    JACK_DEFAULT_SERVER=chordalis-none "$build/bench/chordalis_startup_bench" --runs 20
    echo "== timing of what is heard"
    "$build/bench/chordalis_timing"
    for rate in 48000 96000; do
        echo "== timing of what is heard, the synthesizer at $rate Hz"
        "$build/bench/chordalis_timing" --rate "$rate" --ticks 600 --strums 20
    done
} 2>&1 | tee "$build/bench.txt"
