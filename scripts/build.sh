#!/usr/bin/env bash
# Configures and builds into ./build (Release with debug info, Ninja). Further arguments go to
# the configuration, for example -DCHORDALIS_WERROR=ON.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build build -j"$(nproc)"
