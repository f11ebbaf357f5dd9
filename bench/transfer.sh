#!/usr/bin/env bash
# Prints, for one run on this machine: copying 101 files of 1 MiB to a card folder and to a FAT
# card image with quodlin-card put against cp of the same files, and the time of one list of a
# full card.
# Usage: bench/transfer.sh [build-dir]   (build first: scripts/build.sh)
set -euo pipefail
build="${1:-$(dirname "$0")/../build}"
card_tool="$(realpath "$build/cli/quodlin-card")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

mkdir -p "$work/pc" "$work/full"
for n in $(seq 1 101); do head -c 1048576 /dev/urandom > "$work/pc/sample$n.wav"; done
sources=("$work"/pc/*.wav)

. "$(dirname "$0")/timing.sh"

# The best of five runs of a copy into an emptied folder.
best_copy() { best_of 5 'rm -rf "$work/target" && mkdir "$work/target" && sync' "$@"; }

put_time=$(best_copy "$card_tool" put "$work/target" "${sources[@]}")
# put syncs every file before it counts it as copied; cp + sync gets the same durability.
cp_sync=$(best_copy bash -c 'cp "$@" && sync' _ "${sources[@]}" "$work/target")
cp_plain=$(best_copy cp "${sources[@]}" "$work/target")
printf 'copy 101 x 1 MiB (best of 5): quodlin-card put %.3f s, cp + sync %.3f s (ratio %.2f), cp %.3f s (ratio %.2f)\n' \
    "$put_time" "$cp_sync" "$(echo "$put_time / $cp_sync" | bc -l)" \
    "$cp_plain" "$(echo "$put_time / $cp_plain" | bc -l)"

# On a tmpfs, where no device sets the pace and the program's own cost shows.
if [ "$(id -u)" -eq 0 ]; then
    mkdir -p "$work/tmpfs" && mount -t tmpfs -o size=400M tmpfs "$work/tmpfs"
    best_tmpfs() { best_of 5 'rm -rf "$work/tmpfs/target" && mkdir "$work/tmpfs/target"' "$@"; }
    tmpfs_put=$(best_tmpfs "$card_tool" put "$work/tmpfs/target" "${sources[@]}")
    tmpfs_cp=$(best_tmpfs cp "${sources[@]}" "$work/tmpfs/target")
    umount "$work/tmpfs"
    printf 'copy 101 x 1 MiB to a tmpfs (best of 5): quodlin-card put %.3f s, cp %.3f s (ratio %.2f)\n' \
        "$tmpfs_put" "$tmpfs_cp" "$(echo "$tmpfs_put / $tmpfs_cp" | bc -l)"
fi

# The same on a real FAT card image through fusefat, where the card's driver sets the pace.
if command -v fusefat > /dev/null && [ "$(id -u)" -eq 0 ]; then
    truncate -s 160M "$work/card.img" && mkfs.vfat -F 32 "$work/card.img" > /dev/null
    mkdir -p "$work/fat"
    fusefat -o rw+ "$work/card.img" "$work/fat" > /dev/null 2>&1
    fat_put=$(seconds "$card_tool" put "$work/fat" "${sources[@]}")
    rm -f "$work"/fat/*
    fat_cp=$(seconds bash -c 'cp "$@" && sync' _ "${sources[@]}" "$work/fat")
    fusermount -u "$work/fat" > /dev/null 2>&1
    printf 'copy 101 x 1 MiB to a FAT card image (fusefat): quodlin-card put %.2f s, cp + sync %.2f s (ratio %.2f)\n' \
        "$fat_put" "$fat_cp" "$(echo "$fat_put / $fat_cp" | bc -l)"
fi

{
    echo "[ES1 banks]"
    for n in $(seq 1 101); do touch "$work/full/$n.es1"; echo "$n.es1=Bank number $n"; done
    echo ""
    echo "[ES1 samples]"
    for n in $(seq 0 100); do
        name=$(printf '%02d.wav' "$n"); touch "$work/full/$name"; echo "$name=Sample number $n"
    done
    echo ""
    echo ""
} | sed 's/$/\r/' > "$work/full/names.txt"

# The machine's pace drifts from one second to the next, so list and ls take turns in short
# rounds, and the figures are the medians over the rounds.
rounds=15 runs=10
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
for _ in $(seq "$rounds"); do
    list=$(seconds bash -c 'for i in $(seq '"$runs"'); do "$0" list "$1"; done' "$card_tool" "$work/full")
    ls=$(seconds bash -c 'for i in $(seq '"$runs"'); do ls -1 "$0"; done' "$work/full")
    start=$(seconds bash -c 'for i in $(seq '"$runs"'); do "$0" --help; done' "$card_tool")
    echo "$list $ls $start $(echo "$list / $ls" | bc -l)"
done > "$work/rounds"
column_median() { cut -d' ' -f"$1" "$work/rounds" | median; }
printf 'list of 101 samples, 101 banks, full catalogue (median of %d rounds): %.2f ms per list, ls -1 %.2f ms (ratio %.2f; process start alone %.2f ms)\n' \
    "$rounds" "$(echo "$(column_median 1) * 1000 / $runs" | bc -l)" \
    "$(echo "$(column_median 2) * 1000 / $runs" | bc -l)" "$(column_median 4)" \
    "$(echo "$(column_median 3) * 1000 / $runs" | bc -l)"
