#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Chordalis need, only those
# that are missing. Usage: scripts/install-deps.sh [build|run|test]
set -euo pipefail

build_packages=(cmake ninja-build g++ lld pkg-config qt6-base-dev libgtest-dev
                libbenchmark-dev libfluidsynth-dev librtmidi-dev libhidapi-dev libudev-dev
                libjack-jackd2-dev libasound2-dev libsdl2-dev libpulse-dev libx11-dev
                libxcb1-dev qt6-multimedia-dev)
# The built-in synthesizer plays the system's General MIDI sound font; printed sheets ask for
# Arial, which Liberation Sans stands in for; listening reads the microphone through Qt
# Multimedia; the practice history needs Qt SQL's SQLite driver.
run_packages=(fonts-dejavu-core fonts-liberation2 xdg-utils timgm6mb-soundfont libqt6multimedia6
              libqt6sql6-sqlite)
# The neck pictures the tests draw need a font; the sound tests a sound font and a JACK server;
# the printing tests the sheets' font and pdftotext to read their PDF files back; the
# installation test validates the desktop entry and AppStream file and builds the Debian package;
# tools/fuzz.sh and CI's short fuzz runs build with clang's libFuzzer; the practice tests open
# SQLite files through Qt SQL; the capture test reads a PulseAudio server of its own through Qt
# Multimedia.
test_packages=(fonts-dejavu-core fonts-liberation2 poppler-utils timgm6mb-soundfont jackd2
               libqt6sql6-sqlite pulseaudio pulseaudio-utils
               desktop-file-utils appstream dpkg-dev file clang libclang-rt-14-dev)
# The benchmarks start the program in a virtual display and play into a JACK server; the
# listening figures set the pitch beside aubio's.
bench_packages=(fonts-dejavu-core timgm6mb-soundfont jackd2 xvfb aubio-tools)

packages=("${build_packages[@]}")
case "${1:-build}" in
    run) packages+=("${run_packages[@]}") ;;
    test) packages+=("${test_packages[@]}") ;;
    bench) packages+=("${bench_packages[@]}") ;;
    build) ;;
    *) echo "usage: $0 [build|run|test|bench]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Please run as root or install sudo: missing ${missing[*]}" >&2; exit 1; }
    sudo=sudo
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
