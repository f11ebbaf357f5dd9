#!/usr/bin/env bash
# Builds the core, the command line and their suites with AddressSanitizer and
# UndefinedBehaviorSanitizer in build-sanitize/ and runs both suites there; any finding fails.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset sanitize > /dev/null
cmake --build --preset sanitize --target core_tests cli_tests quodlin-card
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd build-sanitize && ctest --output-on-failure -j1 -R '^(core|cli)\.')
