#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (address and undefined-behaviour sanitizers) in
# build-fuzz/ and runs each with a fixed seed and a fixed number of runs from the committed
# corpus, so that the result does not depend on chance. A crash ends this with an error; its
# input is left in build-fuzz/ as crash-*, to be added to tests/fuzz/corpus once fixed.
# Usage: scripts/fuzz.sh [SCALE]   (SCALE multiplies the runs, about a minute per target at 1)
set -euo pipefail
cd "$(dirname "$0")/.."
scale="${1:-1}"
# Runs per target, each about a minute here: the catalogue reader is far faster per input.
declare -A runs=([catalogue_fuzzer]=500000 [sound_file_fuzzer]=60000 [card_image_fuzzer]=60000)
cmake --preset fuzz > /dev/null
cmake --build --preset fuzz --target catalogue_fuzzer sound_file_fuzzer card_image_fuzzer
for target in catalogue_fuzzer sound_file_fuzzer card_image_fuzzer; do
    found="$(mktemp -d)"
    log="build-fuzz/$target.log"
    n=$(echo "${runs[$target]} * $scale / 1" | bc)
    echo "fuzzing $target: $n runs, seed 1"
    status=0
    "build-fuzz/tests/fuzz/$target" -seed=1 -runs="$n" -max_len=4096 -timeout=20 \
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix=build-fuzz/ \
        "$found" "tests/fuzz/corpus/${target%_fuzzer}" > "$log" 2>&1 || status=$?
    rm -rf "$found"
    grep -E '^(#[0-9]+ +DONE|Done |stat::(number_of_executed_units|peak_rss_mb))' "$log" || true
    if [ "$status" -ne 0 ]; then
        grep -E '^(==[0-9]+==ERROR|SUMMARY|.*runtime error|artifact_prefix)' "$log" >&2 || tail -20 "$log" >&2
        echo "$target found a fault (exit $status); its input is build-fuzz/crash-* (log: $log)" >&2
        exit 1
    fi
done
