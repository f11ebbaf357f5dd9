#!/usr/bin/env bash
# Cross-builds the core, the platform layer, quodlin-card and their test suites for Windows with
# MinGW-w64 and runs each test program under wine, in a fresh wine prefix whose drive Q: is a
# temporary folder. Sound files are left out: Debian has libsndfile and libsoxr for Linux only.
set -euo pipefail
cd "$(dirname "$0")/.."
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
packages=(g++-mingw-w64-x86-64-posix wine wine64 googletest ninja-build cmake)
if ! dpkg -s "${packages[@]}" > /dev/null 2>&1; then
    $SUDO apt-get update -qq
    $SUDO apt-get install -y -qq --no-install-recommends "${packages[@]}" > /dev/null
fi

build=build-windows
toolchain="$PWD/cmake/mingw-w64.cmake"
if [ ! -f "$build/googletest-prefix/lib/cmake/GTest/GTestConfig.cmake" ]; then
    cmake -S /usr/src/googletest -B "$build/googletest" -G Ninja -DBUILD_GMOCK=OFF \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$PWD/$build/googletest-prefix" > /dev/null
    cmake --build "$build/googletest" -j2 > /dev/null
    cmake --install "$build/googletest" > /dev/null
fi
cmake --preset windows > /dev/null
cmake --build --preset windows > /dev/null

scratch=$(mktemp -d)
trap 'WINEPREFIX="$scratch/prefix" wineserver -k 2> /dev/null || true; rm -rf "$scratch"' EXIT
export WINEPREFIX="$scratch/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export CI="${CI:-}" QUODLIN_TEST_DRIVE=Q:
wineboot --init > /dev/null 2>&1
mkdir -p "$scratch/q"
ln -s "$scratch/q" "$WINEPREFIX/dosdevices/q:"
# A drive added while the first wine server runs is not a volume until the next one starts.
wineserver -w

echo "Under wine: core_tests (the core, the file system layer, drive-letter, long, UTF-16,"
echo "reserved and read-only names), cli_tests (the card cases through quodlin-card.exe on a"
echo "folder and on Q:\\). Linux only: the FAT and tmpfs card suites, the restore's fault loop,"
echo "sound (audio_tests, sound_tests) and the window (ui_tests, desktop_tests)."
failed=0
for suite in core_tests cli_tests; do
    wine "$build/quodlin/tests/$suite.exe" --gtest_brief=1 || failed=1
done
exit "$failed"
