#!/usr/bin/env bash
# Prints how long the help text reader takes per megabyte on growing inputs of several shapes:
# the figures should stay flat as inputs grow.
# Usage: bench/rtf_reader.sh [build-dir]   (build first: scripts/build.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
cmake --build "$build" -j1 --target rtf_reader_bench > /dev/null
"$build/bench/rtf_reader_bench"
