#!/usr/bin/env bash
# Makes the Debian package from a build folder, installs it, checks what it installed, and
# purges it again: both programs' --version, the desktop entry and metainfo validators, the
# installed files, and that the installed window, with its help tab chosen by keyboard under
# Xvfb, reads the installed help file.
#
# Usage: scripts/check-package.sh [BUILD_DIR]    (BUILD_DIR defaults to build; run as root or
# with sudo)
set -euo pipefail
cd "$(dirname "$0")/.."

# Under Xvfb: starts the installed window, answers a message at start-up (there is no card) with
# Return, chooses the help tab as a user would (Shift+Tab from the first control to the tab
# strip, then Right twice) and prints what the program reports.
if [ "${1:-}" = "--show-help-tab" ]; then
    QUODLIN_REPORT_HELP_FILE=1 QT_QPA_PLATFORM=xcb /usr/bin/quodlin &
    program=$!
    window=""
    for _ in $(seq 300); do
        window=$(xdotool search --onlyvisible --name "^Korg Electribe ES1" || true)
        [ -z "$window" ] || break
        for box in $(xdotool search --onlyvisible --name "^Quodlin$" || true); do
            xdotool windowfocus --sync "$box" key Return
        done
        sleep 0.1
    done
    [ -n "$window" ] || { kill "$program"; exit 1; }
    xdotool windowfocus --sync "$window" key --delay 50 shift+Tab Right Right
    # The program ends once it has read its help; one that does not has failed the check.
    for _ in $(seq 300); do
        kill -0 "$program" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$program" 2>/dev/null; then
        kill "$program"
        echo "the help tab was not shown" >&2
        exit 1
    fi
    wait "$program"
    exit
fi

BUILD="${1:-build}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive

fail() {
    echo "check-package: $*" >&2
    exit 1
}

VERSION=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD/CMakeCache.txt")
[ -n "$VERSION" ] || fail "no configured build in $BUILD"
rm -f "$BUILD"/quodlin_*.deb
(cd "$BUILD" && cpack -G DEB > cpack.log 2>&1) || fail "cpack failed: see $BUILD/cpack.log"
DEB=$(realpath "$BUILD"/quodlin_"$VERSION"_*.deb)

trap '$SUDO apt-get purge -y -qq quodlin > /dev/null 2>&1 || true' EXIT
$SUDO apt-get install -y -qq --no-install-recommends "$DEB" > /dev/null 2>&1 ||
    fail "apt-get cannot install $DEB"

for file in \
    /usr/bin/quodlin /usr/bin/quodlin-card /usr/share/quodlin/readme.rtf \
    /usr/share/applications/org.quodlin.Quodlin.desktop \
    /usr/share/metainfo/org.quodlin.Quodlin.metainfo.xml \
    /usr/share/icons/hicolor/scalable/apps/org.quodlin.Quodlin.svg \
    /usr/share/icons/hicolor/{16x16,32x32,48x48,128x128,256x256}/apps/org.quodlin.Quodlin.png \
    /usr/share/man/man1/quodlin.1 /usr/share/man/man1/quodlin-card.1 \
    /usr/share/doc/quodlin/copyright; do
    [ -s "$file" ] || fail "the package did not install $file"
done
# The window's sound module, in the library folder of the prefix the build was configured for.
compgen -G "/usr/lib/quodlin/quodlin-sound.so" > /dev/null ||
    compgen -G "/usr/lib/*/quodlin/quodlin-sound.so" > /dev/null ||
    fail "the package did not install the sound module quodlin-sound.so"
compgen -G "/usr/lib/quodlin/quodlin-card-sound.so" > /dev/null ||
    compgen -G "/usr/lib/*/quodlin/quodlin-card-sound.so" > /dev/null ||
    fail "the package did not install the command line's sound module quodlin-card-sound.so"
grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/$' \
    /usr/share/doc/quodlin/copyright || fail "the copyright file is not machine-readable"

[ "$(/usr/bin/quodlin --version)" = "quodlin $VERSION" ] || fail "quodlin --version"
[ "$(/usr/bin/quodlin-card --version)" = "quodlin-card $VERSION" ] || fail "quodlin-card --version"
# The installed command line, started by name as a user starts it, finds its sound module when a
# command reads a sample.
card=$(mktemp -d)
python3 -c 'import sys, wave
with wave.open(sys.argv[1], "wb") as w:
    w.setnchannels(1); w.setsampwidth(2); w.setframerate(32000); w.writeframes(bytes(6400))' \
    "$card/00.wav"
info=$(cd / && PATH=/usr/bin quodlin-card info "$card" 2>&1) || true
rm -rf "$card"
case "$info" in *"32000 Hz"*) ;; *) fail "the installed quodlin-card read no sample: $info" ;; esac

# Its hint about the three main categories, which are wanted, is no fault.
findings=$(desktop-file-validate /usr/share/applications/org.quodlin.Quodlin.desktop) ||
    fail "desktop-file-validate rejects the desktop entry: $findings"
appstreamcli validate --no-net /usr/share/metainfo/org.quodlin.Quodlin.metainfo.xml > /dev/null ||
    fail "appstreamcli rejects the metainfo"

scratch=$(mktemp -d)
report=$(HOME="$scratch" XDG_CONFIG_HOME="$scratch/config" \
    xvfb-run -a "$0" --show-help-tab 2> "$scratch/stderr") ||
    fail "the installed window did not run: $(cat "$scratch/stderr")"
rm -rf "$scratch"
[ "$report" = "help file read: /usr/share/quodlin/readme.rtf" ] ||
    fail "the installed window's help tab: ${report:-nothing reported}"

trap - EXIT
$SUDO apt-get purge -y -qq quodlin > /dev/null
! dpkg -s quodlin > /dev/null 2>&1 || fail "quodlin is still installed after the purge"
[ ! -e /usr/bin/quodlin ] && [ ! -e /usr/share/quodlin ] || fail "the purge left files behind"
echo "check-package: $(basename "$DEB") installs, runs, validates and purges"
