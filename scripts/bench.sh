#!/usr/bin/env bash
# Runs every benchmark once, one after the other, and keeps what they print in build/bench.txt:
# the library and display model, the name search, the main window's redraws and root change, the
# start-up in a virtual display (with and without a JACK server in sight), and the timing of what
# is heard (about five minutes at 44.1 kHz, then shorter runs at 48 and 96 kHz, then the program's
# own synthesizer output on JACK servers of the bench's own at 44.1, 48 and 96 kHz). Without a
# sound card all of it runs: JACK with the dummy driver, Xvfb for the windows.
# Usage: scripts/bench.sh [build folder]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
scripts/install-deps.sh bench
cmake --build "$build" --target chordalis chordalis_bench chordalis_window_bench \
    chordalis_startup_bench chordalis_timing chordalis_grip_bench chordalis_search_bench \
    chordalis_progression_bench chordalis_listen_bench

# A JACK server with the dummy driver for the port figures, stopped at the end.
export JACK_NO_START_SERVER=1
jackd_pid=""
if [ "$(jack_wait -c 2>/dev/null)" != running ]; then
    jackd --no-realtime -d dummy -r 48000 -p 256 >"$build/jackd-bench.log" 2>&1 &
    jackd_pid=$!
    jack_wait -w -t 5 >/dev/null
fi

# A virtual display of its own for the window's redraws as the X server gets them.
xvfb_pid=""
for n in $(seq 90 109); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    bench_display=":$n"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    break
done
stop_all() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    [ -n "$jackd_pid" ] && kill "$jackd_pid" 2>/dev/null
    wait 2>/dev/null || true
}
trap stop_all EXIT

# The synthesizer through a JACK server of its own at the rate given, the server started with the
# dummy driver under a private name, so that a server someone else runs is left alone; its sound
# and a JACK port's arrivals are measured there.
timing_on_jack() {
    local rate=$1 name="chordalis-bench-$1-$$"
    JACK_DEFAULT_SERVER=$name jackd --no-realtime -n "$name" -d dummy -r "$rate" -p 256 \
        >"$build/jackd-bench-$rate.log" 2>&1 &
    local pid=$!
    if JACK_DEFAULT_SERVER=$name jack_wait -w -t 5 >/dev/null 2>&1; then
        JACK_DEFAULT_SERVER=$name "$build/bench/chordalis_timing" --driver --ticks 600 --strums 20
    else
        echo "JACK server at $rate Hz: not started (see $build/jackd-bench-$rate.log)"
    fi
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null || true
}

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
    echo "== listening: from a block's arrival to the neck painted offscreen"
    "$build/bench/chordalis_listen_bench" --latency-only
    echo "== main window, painted offscreen"
    "$build/bench/chordalis_window_bench" --benchmark_min_time=1 2>&1 | grep -v '^\*\*\*WARNING'
    if [ -n "$xvfb_pid" ]; then
        echo "== main window on the X server (Xvfb)"
        DISPLAY=$bench_display QT_QPA_PLATFORM=xcb "$build/bench/chordalis_window_bench" \
            --benchmark_min_time=1 2>&1 | grep -v '^\*\*\*WARNING'
    fi
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
    for rate in 44100 48000 96000; do
        echo "== timing of what is heard through the audio driver, a JACK server at $rate Hz"
        timing_on_jack "$rate"
    done
} 2>&1 | tee "$build/bench.txt"
