#!/usr/bin/env bash
# Installs what is missing, builds, and starts Chordalis.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh run
scripts/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display found. To start Chordalis without a desktop, run it under a virtual display:" >&2
    echo "    apt-get install xvfb && xvfb-run -a ./build/chordalis" >&2
    exit 1
fi
exec ./build/chordalis "$@"
