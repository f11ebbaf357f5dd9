#!/usr/bin/env bash
# Prints how long quodlin-card put --convert takes to bring eight 20-second 44.1 kHz 24-bit
# stereo samples onto a tmpfs card as 32 kHz 16-bit, against sox converting the same files one
# by one to the same format (sox adds TPDF dither by itself when it shortens the words), and
# the ratio of the two. Best of three runs each; needs root for the tmpfs and sox.
# Usage: bench/convert.sh [build-dir]   (build first: scripts/build.sh)
set -euo pipefail
build="${1:-$(dirname "$0")/../build}"
card_tool="$(realpath "$build/cli/quodlin-card")"
work="$(mktemp -d)"
mkdir -p "$work/pc" "$work/card"
mount -t tmpfs -o size=64m tmpfs "$work/card"
trap 'umount "$work/card"; rm -rf "$work"' EXIT

for n in 1 2 3 4 5 6 7 8; do
    sox -n -r 44100 -b 24 -c 2 "$work/pc/sample$n.wav" synth 20 sine $((200 * n)) gain -3
done
sources=("$work"/pc/*.wav)

. "$(dirname "$0")/timing.sh"

put_convert() { "$card_tool" put --convert "$work/card" "${sources[@]}"; }
sox_each() {
    local n=0
    for source in "${sources[@]}"; do
        sox "$source" -r 32000 -b 16 "$work/card/$(printf %02d $n).wav"
        n=$((n + 1))
    done
    sync
}

best() { best_of 3 'rm -rf "${work:?}"/card/* "$work"/card/.[!.]* 2> /dev/null || true' "$@"; }

ours=$(best put_convert)
theirs=$(best sox_each)
printf 'convert 8 x 20 s 44.1 kHz 24-bit stereo to a tmpfs card (best of 3): quodlin-card put --convert %.3f s, sox one by one %.3f s, ratio %.2f\n' \
    "$ours" "$theirs" "$(echo "$ours / $theirs" | bc -l)"
