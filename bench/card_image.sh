#!/usr/bin/env bash
# Prints, for one run on this machine: the list of a full 64 MB FAT16 card image with
# quodlin-card against mdir of the same image, and get of every file against mcopy.
# Usage: bench/card_image.sh [build-dir]   (build first: scripts/build.sh)
set -euo pipefail
build="${1:-$(dirname "$0")/../build}"
card_tool="$(realpath "$build/cli/quodlin-card")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

. "$(dirname "$0")/timing.sh"

image="$work/card.img"
mkfs.vfat -C -F 16 "$image" 65536 > /dev/null
mkdir -p "$work/pc"
{
    echo "[ES1 banks]"
    echo ""
    echo "[ES1 samples]"
    # 100 samples of 600 KiB fill most of the card.
    for n in $(seq 0 99); do
        name=$(printf '%02d.wav' "$n")
        head -c 614400 /dev/urandom > "$work/pc/$name"
        echo "$name=Sample number $n"
    done
} | sed 's/$/\r/' > "$work/pc/names.txt"
mcopy -i "$image" "$work"/pc/* ::/
files=()
for n in $(seq 0 99); do files+=("$(printf '%02d.wav' "$n")"); done

# A list takes a few milliseconds: each figure is the best of 3 runs of 100 lists, per list.
hundred() { bash -c 'for _ in $(seq 100); do "$@" > /dev/null; done' _ "$@"; }
list_time=$(echo "$(best_of 3 true hundred "$card_tool" list "$image") / 100" | bc -l)
mdir_time=$(echo "$(best_of 3 true hundred mdir -i "$image" ::/) / 100" | bc -l)
printf 'list of a full 64 MB card image: quodlin-card list %.4f s, mdir %.4f s (ratio %.2f)\n' \
    "$list_time" "$mdir_time" "$(echo "$list_time / $mdir_time" | bc -l)"

# get syncs every copy before it counts it as copied, and mcopy syncs nothing: the same on a
# tmpfs, where no device sets the pace, shows the programs' own cost.
for target in "$work/got" /dev/shm/quodlin-bench-got; do
    get_time=$(best_of 5 "rm -rf '$target' && mkdir '$target'" \
        "$card_tool" get --overwrite "$image" "$target" "${files[@]}")
    mcopy_time=$(best_of 5 "rm -rf '$target' && mkdir '$target'" \
        mcopy -n -i "$image" "::/*.wav" "$target")
    printf 'get of 100 x 600 KiB into %s (best of 5): quodlin-card get %.3f s, mcopy %.3f s (ratio %.2f)\n' \
        "$(df --output=fstype "$target" | tail -1)" "$get_time" "$mcopy_time" \
        "$(echo "$get_time / $mcopy_time" | bc -l)"
    rm -rf "$target"
done
