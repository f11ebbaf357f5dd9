#!/usr/bin/env bash
# Installs what building, running and testing Quodlin needs on Debian 12.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends \
    build-essential cmake ninja-build pkg-config clang-format clang-tidy clang libclang-rt-14-dev \
    libgtest-dev libgmock-dev \
    qt6-base-dev qt6-multimedia-dev libgl-dev libsndfile1-dev \
    fuse3 libfuse3-dev fusefat dosfstools mtools \
    xvfb xauth python3-xlib pulseaudio pulseaudio-utils sox \
    openbox xdotool x11-utils libsoxr-dev \
    qt6-svg-dev file desktop-file-utils appstream \
    > /dev/null
