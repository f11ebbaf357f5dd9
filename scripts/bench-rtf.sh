#!/usr/bin/env bash
# Builds and runs the help text reader's benchmark: time per megabyte should stay flat as inputs grow.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build -j1 --target rtf_reader_bench > /dev/null
build/tests/rtf_reader_bench
