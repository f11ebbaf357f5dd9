#!/usr/bin/env bash
# Installs what the tests need, builds, checks the formatting, the walls between the layers and
# the tidy checks, runs every test, runs the core and command-line suites again in a sanitizer
# build, fuzzes the readers of outside input for
# a fixed number of runs, runs the Windows build's tests under wine, and checks the Debian
# package. Each step prints how long it took.
set -euo pipefail
cd "$(dirname "$0")/.."
step() {
    local started=$SECONDS
    "$@"
    echo "== $* took $((SECONDS - started)) s"
}
run_tests() {
    (cd build && ctest --output-on-failure -j1)
}
step ./scripts/install-deps.sh
step ./scripts/build.sh
export CI="${CI:-}"
. ./scripts/null-sink.sh
step ./scripts/check-format.sh
step ./scripts/check-layers.sh
step ./scripts/check-tidy.sh
step run_tests
step ./scripts/test-sanitized.sh
step ./scripts/fuzz.sh
step ./scripts/test-windows.sh
step ./scripts/check-package.sh build
