#!/usr/bin/env bash
# Installs a build into a temporary prefix and checks it as a user and a packager would: every
# file in its place, the installed tools run from another folder and find the installed data,
# the window starts and ends cleanly, nothing is written into the data folder, the desktop entry
# and the AppStream file validate, and the Debian package holds the same files and depends on
# exactly the packages the program needs at run time.
#   scripts/check-install.sh BUILD_DIR
# Needs desktop-file-utils, appstream, dpkg-dev and file (scripts/install-deps.sh test).
set -euo pipefail

build=$(cd "${1:?usage: $0 BUILD_DIR}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
need() {
    command -v "$1" >/dev/null || fail "$1 is missing (Debian package $2; scripts/install-deps.sh test)"
}
need desktop-file-validate desktop-file-utils
need appstreamcli appstream
need dpkg-shlibdeps dpkg-dev
need file file

app_id=org.chordalis.Chordalis
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
gui=false
[ -x "$build/chordalis" ] && gui=true

echo "== cmake --install into a temporary prefix"
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log"
data=$prefix/share/chordalis
expected=(bin/chordalis-cli bin/validate-library
    share/chordalis/chord.ini share/chordalis/scale.ini share/chordalis/voicing.ini
    share/chordalis/triad.ini share/chordalis/finder.ini share/chordalis/fretboards/default.gif
    share/chordalis/userguide/index.htm
    share/applications/$app_id.desktop share/metainfo/$app_id.metainfo.xml
    share/icons/hicolor/scalable/apps/$app_id.svg
    share/man/man1/chordalis-cli.1.gz share/man/man1/validate-library.1.gz
    lib/udev/rules.d/70-chordalis-ledguitar.rules)
$gui && expected+=(bin/chordalis share/man/man1/chordalis.1.gz)
for f in "${expected[@]}"; do
    [ -e "$prefix/$f" ] || fail "the installation has no $f"
done
for size in 16 24 32 48 64 128 256; do
    png=$prefix/share/icons/hicolor/${size}x${size}/apps/$app_id.png
    file "$png" | grep -q "PNG image data, $size x $size" || fail "$png is not a ${size}x${size} PNG"
done
for page in "$prefix"/share/man/man1/*.1.gz; do
    gzip -t "$page" && zcat "$page" | grep -q '^\.TH ' || fail "$page is not a manual page"
done
if find "$prefix" -path "$prefix/bin" -prune -o -type f -perm /111 -print | grep -q .; then
    fail "data files are executable: $(find "$prefix" -path "$prefix/bin" -prune -o -type f -perm /111 -print)"
fi

echo "== the installed tools, run from another folder"
snapshot() { (cd "$data" && find . -printf '%p %s %T@\n' | sort | md5sum); }
before=$(snapshot)
mkdir -p "$work/elsewhere" "$work/home"
cd "$work/elsewhere"
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_CACHE_HOME=$work/home/.cache
export XDG_DATA_HOME=$work/home/.local/share QT_QPA_PLATFORM=offscreen CHORDALIS_LED_GUITAR=off
"$prefix/bin/chordalis-cli" library >library.json 2>library.err ||
    fail "chordalis-cli library: status $? ($(cat library.err))"
grep -q "\"programFolder\": \"$data\"" library.json ||
    fail "chordalis-cli did not read the installed data: $(grep programFolder library.json)"
grep -q '"chordGroups"' library.json || fail "chordalis-cli library printed no library"
"$prefix/bin/chordalis-cli" show chord --root Eb --item 4 >chord.json ||
    fail "chordalis-cli show chord: status $?"
"$prefix/bin/validate-library" >validate.txt 2>&1 || fail "validate-library: status $? ($(tail -3 validate.txt))"
# A damaged installation names the installed file it misses.
mv "$data/finder.ini" "$work/finder.ini"
status=0
"$prefix/bin/chordalis-cli" library >/dev/null 2>missing.err || status=$?
mv "$work/finder.ini" "$data/finder.ini"
[ "$status" -eq 1 ] && grep -q "$data/finder.ini" missing.err ||
    fail "a missing library file gave status $status: $(cat missing.err)"
before=$(snapshot) # the move above touched the folder itself

if $gui; then
    # The window program: started, told to end as a session would, it writes the settings into
    # the user's folder and ends with status 0.
    "$prefix/bin/chordalis" >gui.log 2>&1 &
    pid=$!
    sleep 4
    kill -0 "$pid" 2>/dev/null || fail "chordalis ended by itself: $(cat gui.log)"
    kill -TERM "$pid"
    status=0
    wait "$pid" || status=$?
    [ "$status" -eq 0 ] || fail "chordalis ended with status $status: $(cat gui.log)"
    [ -f "$XDG_CONFIG_HOME/Chordalis/Chordalis.conf" ] || fail "chordalis wrote no settings"
fi
[ "$(snapshot)" = "$before" ] || fail "something was written into the data folder $data"

echo "== desktop entry and AppStream file"
desktop-file-validate "$prefix/share/applications/$app_id.desktop"
appstreamcli validate --no-net --explain "$prefix/share/metainfo/$app_id.metainfo.xml" >appstream.txt ||
    fail "appstreamcli validate: $(cat appstream.txt)"
grep -q "<release version=\"$version\"" "$prefix/share/metainfo/$app_id.metainfo.xml" ||
    fail "the AppStream file does not name version $version"

echo "== the Debian package"
(cd "$work" && cpack --config "$build/CPackConfig.cmake" -B "$work/pkg" >cpack.log 2>&1) ||
    fail "cpack: $(tail -20 "$work/cpack.log")"
deb=$(ls "$work"/pkg/*.deb)
dpkg-deb -I "$deb" >control.txt
field() { sed -n "s/^ $1: //p" control.txt; }
[ "$(field Package)" = chordalis ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version), not $version"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "Architecture: $(field Architecture)"
[ "$(field Section)" = sound ] || fail "Section: $(field Section)"
[ -n "$(field Maintainer)" ] && [ -n "$(field Description)" ] || fail "no Maintainer or Description"
depends=$(field Depends)
runtime=(libqt6core6 libqt6gui6 libqt6sql6 libfluidsynth3 librtmidi6 libhidapi-hidraw0
    libudev1 fonts-dejavu-core fonts-liberation2 "timgm6mb-soundfont | fluid-soundfont-gm" xdg-utils
    libqt6sql6-sqlite)
$gui && runtime+=(libqt6widgets6 libqt6printsupport6 libqt6network6 libqt6dbus6 libqt6multimedia6)
for p in "${runtime[@]}"; do
    [[ ", $depends," == *", $p"[\ ,]* ]] || fail "Depends lacks $p: $depends"
done
# Nothing the program does not need: no development or test package, no sound font or font
# beyond those named.
for p in $(tr ',|' '\n\n' <<<"$depends" | sed 's/(.*)//; s/ //g'); do
    case $p in
        *-dev | libgtest* | libgmock* | libbenchmark* | qt6-base-dev* | jackd* | poppler*)
            fail "Depends names $p, which the program does not need at run time" ;;
    esac
done
dpkg-deb -c "$deb" >contents.txt
for f in usr/bin/chordalis-cli usr/bin/validate-library usr/share/chordalis/chord.ini \
    usr/share/applications/$app_id.desktop usr/share/metainfo/$app_id.metainfo.xml \
    usr/lib/udev/rules.d/70-chordalis-ledguitar.rules; do
    grep -q " \./$f\$" contents.txt || fail "the package has no /$f"
done
if awk '{print $6}' contents.txt | grep -v '^\./usr/' | grep -v '^\./$' | grep -q .; then
    fail "the package installs outside /usr: $(awk '{print $6}' contents.txt | grep -v '^\./usr/')"
fi
awk '{print $2}' contents.txt | grep -qv '^root/root$' && fail "files in the package not owned by root"
installed_files=$(cd "$prefix" && find . -type f | wc -l)
packaged_files=$(grep -c '^-' contents.txt)
[ "$installed_files" -eq "$packaged_files" ] ||
    fail "cmake --install gives $installed_files files, the package $packaged_files"
echo "package $(basename "$deb"): Depends: $depends"
echo "installation and package checked"
