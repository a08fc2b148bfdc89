#!/usr/bin/env bash
# Installs the Debian package into a fresh Debian 12 root made with mmdebstrap, uses it there as
# an ordinary user (the companion tool, the library check, the window started and ended), then
# purges it and lists what is left behind: nothing but the user's own files may remain.
#   scripts/check-clean-root.sh PACKAGE.deb
# Needs mmdebstrap, root and the Debian archive (it downloads the base system and the package's
# dependencies: a few minutes, so it is no part of the test suite).
set -euo pipefail
deb=$(readlink -f "${1:?usage: $0 PACKAGE.deb}")
command -v mmdebstrap >/dev/null || { echo "mmdebstrap is missing (apt-get install mmdebstrap)" >&2; exit 1; }

inside=$(mktemp)
trap 'rm -f "$inside"' EXIT
cat >"$inside" <<'INSIDE'
set -eu
export DEBIAN_FRONTEND=noninteractive
echo "== installing $(dpkg-deb -f /tmp/chordalis.deb Package Version | tr '\n' ' ')"
apt-get install -y -q --no-install-recommends /tmp/chordalis.deb >/tmp/apt.log 2>&1 ||
    { tail -30 /tmp/apt.log; exit 1; }
grep -E '^(Setting up|Unpacking) chordalis' /tmp/apt.log
useradd -m player
as_player() { runuser -u player -- env HOME=/home/player "$@"; }
cd /tmp
echo "== chordalis-cli library, validate-library, chordalis-cli play --render"
as_player chordalis-cli library >/tmp/library.json
grep '"programFolder"' /tmp/library.json
as_player validate-library | tail -1
as_player chordalis-cli play chord --root G --item 0 --render /tmp/g.wav
echo "== the window, started and told to end"
status=0
as_player env QT_QPA_PLATFORM=offscreen CHORDALIS_LED_GUITAR=off \
    timeout --preserve-status -s TERM 6 chordalis >/tmp/gui.log 2>&1 || status=$?
cat /tmp/gui.log
[ "$status" -eq 0 ] || { echo "chordalis ended with status $status"; exit 1; }
ls -l /home/player/.config/Chordalis/Chordalis.conf
echo "== purged"
apt-get purge -y -q chordalis >/dev/null
apt-get autoremove --purge -y -q >/dev/null
left=$(find / -xdev \( -path /proc -o -path /sys -o -path /dev -o -path /tmp -o -path /home \) -prune \
    -o -iname '*chordalis*' -print)
[ -z "$left" ] || { echo "left behind: $left"; exit 1; }
echo "left behind: nothing outside the user's folder, which holds:"
find /home/player -iname '*chordalis*'
dpkg -l | grep -c '^ii' | sed 's/^/packages installed after the purge: /'
INSIDE

mmdebstrap --variant=apt --quiet \
    --customize-hook="copy-in $deb /tmp" \
    --customize-hook="chroot \"\$1\" mv /tmp/$(basename "$deb") /tmp/chordalis.deb" \
    --customize-hook="copy-in $inside /tmp" \
    --customize-hook="chroot \"\$1\" sh /tmp/$(basename "$inside")" \
    bookworm /dev/null
echo "the package installs, runs and purges cleanly in a fresh Debian 12 root"
