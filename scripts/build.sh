#!/usr/bin/env bash
# Configures and builds everything in build/ (one build directory, two jobs).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUODLIN_WERROR=ON -DCMAKE_EXPORT_COMPILE_COMMANDS=ON > /dev/null
cmake --build build -j2
