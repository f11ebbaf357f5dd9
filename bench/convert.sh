#!/usr/bin/env bash
# Prints how long quodlin-card put --convert takes to bring eight 20-second 44.1 kHz 24-bit
# stereo samples onto a tmpfs card as 32 kHz 16-bit, against sox converting the same files one
# by one to the same format (sox adds TPDF dither by itself when it shortens the words), and
# the ratio of the two, with the peak memory of each; then the same for one 200 MB source
# (96 kHz 24-bit stereo, almost six minutes). Each is run plain and with the shaping chain
# (put --convert --mono --trim --normalize against sox -c 1 ... silence 1 0.001 -60d reverse
# silence 1 0.001 -60d reverse norm -1). Best of three runs each; needs root for the tmpfs and
# sox, and GNU time (/usr/bin/time) for the peak memory.
# Usage: bench/convert.sh [build-dir]   (build first: scripts/build.sh)
set -euo pipefail
build="${1:-$(dirname "$0")/../build}"
card_tool="$(realpath "$build/cli/quodlin-card")"
work="$(mktemp -d)"
mkdir -p "$work/pc" "$work/card"
mount -t tmpfs -o size=64m tmpfs "$work/card"
trap 'umount "$work/card"; rm -rf "$work"' EXIT

for n in 1 2 3 4 5 6 7 8; do
    sox -n -r 44100 -b 24 -c 2 "$work/pc/sample$n.wav" synth 20 sine $((200 * n)) gain -9 pad 1 1
done
sources=("$work"/pc/*.wav)

. "$(dirname "$0")/timing.sh"

# The run compared: put's options, and sox's output options and effects for the same.
shaping=()
sox_options=(-r 32000 -b 16)
sox_effects=()

put_convert() { "$card_tool" put --convert "${shaping[@]}" "$work/card" "${sources[@]}"; }
sox_one() { sox "$1" "${sox_options[@]}" "$2" "${sox_effects[@]}"; }
sox_each() {
    local n=0
    for source in "${sources[@]}"; do
        sox_one "$source" "$work/card/$(printf %02d $n).wav"
        n=$((n + 1))
    done
    sync
}

best() { best_of 3 'rm -rf "${work:?}"/card/* "$work"/card/.[!.]* 2> /dev/null || true' "$@"; }

# peak COMMAND...: the peak resident memory of one run, in MB.
peak() {
    rm -rf "${work:?}"/card/* "$work"/card/.[!.]* 2> /dev/null || true
    /usr/bin/time -f %M -o "$work/peak" "$@" > /dev/null 2>&1
    echo "$(($(cat "$work/peak") / 1024))"
}

report() {
    local ours theirs
    ours=$(best put_convert)
    theirs=$(best sox_each)
    printf '%s (best of 3): quodlin-card put --convert %s %.3f s, %s MB peak; sox one by one %.3f s, %s MB peak; time ratio %.2f\n' \
        "$1" "${shaping[*]}" "$ours" "$(peak "$card_tool" put --convert "${shaping[@]}" "$work/card" "${sources[@]}")" \
        "$theirs" "$(peak sox "${sources[0]}" "${sox_options[@]}" "$work/card/00.wav" "${sox_effects[@]}")" \
        "$(echo "$ours / $theirs" | bc -l)"
}

# report_both LABEL: the plain conversion, then the shaping chain.
report_both() {
    shaping=() sox_options=(-r 32000 -b 16) sox_effects=()
    report "$1"
    shaping=(--mono --trim --normalize) sox_options=(-r 32000 -c 1 -b 16)
    sox_effects=(silence 1 0.001 -60d reverse silence 1 0.001 -60d reverse norm -1)
    report "$1, shaped"
}

report_both 'convert 8 x 22 s 44.1 kHz 24-bit stereo to a tmpfs card'
rm -f "$work"/pc/*.wav
sox -n -r 96000 -b 24 -c 2 "$work/pc/long.wav" synth 345 sine 440 gain -9 pad 1 1
sources=("$work/pc/long.wav")
report_both 'convert one 200 MB 96 kHz 24-bit stereo source to a tmpfs card'
