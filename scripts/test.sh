#!/usr/bin/env bash
# Installs what the tests need, builds, runs every test, fuzzes the readers of outside input for
# a fixed number of runs, and checks the Debian package.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh
export CI="${CI:-}"
. ./scripts/null-sink.sh
cd build
ctest --output-on-failure -j1
cd ..
./scripts/fuzz.sh
./scripts/check-package.sh build
