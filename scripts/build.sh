#!/usr/bin/env bash
# Configures and builds everything in build/ (one build directory, two jobs).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset release > /dev/null
cmake --build --preset release
