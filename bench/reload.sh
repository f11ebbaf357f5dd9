#!/usr/bin/env bash
# Prints how long the computer list takes to reload 1,000, 5,000 and 100,000 files with none and
# with all of them selected.
# Usage: bench/reload.sh [build-dir]   (build first: scripts/build.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
cmake --build "$build" -j2 --target reload_bench > /dev/null
"$build/bench/reload_bench"
