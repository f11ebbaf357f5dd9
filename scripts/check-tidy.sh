#!/usr/bin/env bash
# Runs clang-tidy with the repository's .clang-tidy over every source file of the program, from
# the build's compile commands (scripts/build.sh writes them); any finding fails.
set -euo pipefail
cd "$(dirname "$0")/.."
run-clang-tidy -p build -j 2 -quiet "$PWD/(core|cli|platform|ui)/" > build/tidy.log 2>&1 || {
    grep -E "(warning|error):" build/tidy.log | sort -u >&2
    echo "clang-tidy found the above" >&2
    exit 1
}
echo "clang-tidy: no findings"
