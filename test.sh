#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh test
# Warnings are errors in the test run, so that none slips in.
scripts/build.sh -DCHORDALIS_WERROR=ON
export QT_QPA_PLATFORM=offscreen

# A JACK server with the dummy driver for the MIDI port tests, stopped when the run ends. Without
# it (jackd missing or refusing to start) those tests start their own or say why they skip.
export JACK_NO_START_SERVER=1
jackd_pid=""
if command -v jackd >/dev/null && [ "$(jack_wait -c 2>/dev/null)" != running ]; then
    jackd --no-realtime -d dummy -r 48000 -p 256 >build/jackd.log 2>&1 &
    jackd_pid=$!
    trap 'kill "$jackd_pid" 2>/dev/null; wait "$jackd_pid" 2>/dev/null || true' EXIT
    jack_wait -w -t 5 >/dev/null 2>&1 || echo "note: the JACK server did not start (see build/jackd.log)"
fi

ctest --test-dir build --output-on-failure -j"$(nproc)" --timeout 300
