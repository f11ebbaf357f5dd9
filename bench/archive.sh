#!/usr/bin/env bash
# Prints, for one run on this machine: backing up and restoring a full 64 MiB-class card (101
# samples of 600 KiB, a catalogue) with quodlin-card against the same work done with cp and
# sha256sum, on a tmpfs where the program's own cost shows (run as root for the tmpfs).
# Usage: bench/archive.sh [build-dir]   (build first: scripts/build.sh)
set -euo pipefail
build="${1:-$(dirname "$0")/../build}"
card_tool="$(realpath "$build/cli/quodlin-card")"
work="$(mktemp -d)"
cleanup() { mountpoint -q "$work/t" && umount "$work/t"; rm -rf "$work"; }
trap cleanup EXIT

mkdir -p "$work/t"
if [ "$(id -u)" -eq 0 ]; then mount -t tmpfs -o size=400M tmpfs "$work/t"; fi
card="$work/t/card"
mkdir -p "$card"
for n in $(seq 0 100); do head -c 614400 /dev/urandom > "$card/$(printf '%02d' "$n").wav"; done
printf '[ES1 banks]\r\n\r\n[ES1 samples]\r\n00.wav=Kick\r\n\r\n\r\n' > "$card/names.txt"

. "$(dirname "$0")/timing.sh"
best() { best_of 5 'rm -rf "$work/t/out" "$work/t/empty" && mkdir "$work/t/empty"' "$@"; }

backup=$(best "$card_tool" backup "$card" "$work/t/out")
# The same guarantees by hand: copy, hash the card, check the copies against the hashes.
by_hand=$(best bash -c 'mkdir "$2" && cp "$1"/* "$2" && (cd "$1" && sha256sum * > "$2/SHA256SUMS") && (cd "$2" && sha256sum -c --quiet SHA256SUMS)' _ "$card" "$work/t/out")
printf 'back up 101 x 600 KiB (best of 5): quodlin-card backup %.3f s, cp + sha256sum + sha256sum -c %.3f s (ratio %.2f)\n' \
    "$backup" "$by_hand" "$(echo "$backup / $by_hand" | bc -l)"

"$card_tool" backup "$card" "$work/t/saved" > /dev/null
restore=$(best "$card_tool" restore "$work/t/saved" "$work/t/empty")
by_hand=$(best bash -c '(cd "$1" && sha256sum -c --quiet SHA256SUMS) && cp "$1"/*.wav "$1"/names.txt "$2" && (cd "$2" && sha256sum -c --quiet "$1/SHA256SUMS")' _ "$work/t/saved" "$work/t/empty")
printf 'restore 101 x 600 KiB (best of 5): quodlin-card restore %.3f s, sha256sum -c + cp + sha256sum -c %.3f s (ratio %.2f)\n' \
    "$restore" "$by_hand" "$(echo "$restore / $by_hand" | bc -l)"

# A rescue of a healthy card reads each file once, as a backup does: on a full 16 MB FAT card
# (fusefat), the two should take about the same time.
if command -v fusefat > /dev/null && [ "$(id -u)" -eq 0 ]; then
    truncate -s 16M "$work/card16.img" && mkfs.vfat -F 16 "$work/card16.img" > /dev/null
    mkdir -p "$work/fat16"
    fusefat -o rw+ "$work/card16.img" "$work/fat16" > /dev/null 2>&1
    for n in $(seq 0 24); do head -c 614400 /dev/urandom > "$work/fat16/$(printf '%02d' "$n").wav"; done
    printf '[ES1 banks]\r\n\r\n[ES1 samples]\r\n00.wav=Kick\r\n\r\n\r\n' > "$work/fat16/names.txt"
    fat_backup=$(best "$card_tool" backup "$work/fat16" "$work/t/out")
    fat_rescue=$(best "$card_tool" rescue "$work/fat16" "$work/t/out")
    fusermount -u "$work/fat16" > /dev/null 2>&1
    printf 'a healthy 16 MB FAT card, 25 x 600 KiB (best of 5): quodlin-card backup %.3f s, rescue %.3f s (ratio %.2f)\n' \
        "$fat_backup" "$fat_rescue" "$(echo "$fat_rescue / $fat_backup" | bc -l)"
fi
