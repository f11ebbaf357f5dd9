#!/usr/bin/env bash
# Prints how long quodlin-card takes for each command that reads the catalogue (list, check,
# name, put) on a card of 101 samples whose names.txt is as large as the program reads (1 MiB),
# alone and beside a leftover #$%names.txt of the same size, and for the line counts that once
# took seconds. Every figure should stay under 0.5 s. One run each, on a fresh copy of the card.
# Usage: bench/catalogue.sh [build-dir]   (build first: scripts/build.sh)
set -euo pipefail
build="${1:-$(dirname "$0")/../build}"
card_tool="$(realpath "$build/cli/quodlin-card")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
. "$(dirname "$0")/timing.sh"

# catalogue FILE LINES PREFIX [REPEAT]: a samples section of LINES entries, distinct ones
# padded up to 1 MiB, or with REPEAT the same short entry on every line.
catalogue() {
    python3 - "$@" <<'PY'
import sys
path, lines, prefix = sys.argv[1], int(sys.argv[2]), sys.argv[3]
repeat = len(sys.argv) > 4
digits = "0123456789abcdefghijklmnopqrstuvwxyz"
def key(i):
    text = ""
    while True:
        text = digits[i % 36] + text
        i //= 36
        if i == 0:
            return text
head = ["[ES1 banks]", "", "[ES1 samples]"] + ["%02d.wav=n%d" % (i, i) for i in range(101)]
count = lines - len(head)
keys = [prefix + "=" if repeat else prefix + key(i) + "=" for i in range(count)]
room = (1 << 20) - len("\n".join(head + keys)) - 1
pad = 0 if repeat else max(0, room // count)
data = "\n".join(head + [k + "x" * pad for k in keys]) + "\n"
assert len(data) <= 1 << 20, len(data)
open(path, "w").write(data)
PY
}

stage() {  # stage NAME LINES [LEFTOVER_LINES [repeat]]
    local card="$work/$1"
    mkdir -p "$card"
    for n in $(seq 0 100); do printf 'RIFF' > "$card/$(printf '%02d' "$n").wav"; done
    catalogue "$card/names.txt" "$2" k ${4:-}
    if [ "${3:-0}" != 0 ]; then catalogue "$card/#\$%names.txt" "$3" j; fi
}

printf 'RIFF' > "$work/new.wav"
measure() {  # measure LABEL NAME LINES [LEFTOVER_LINES]
    local label="$1" card="$work/run"
    local line="$label:"
    for command in list check name put; do
        rm -rf "$card"
        cp -a "$work/$2" "$card"
        case $command in
            list | check) t=$(seconds "$card_tool" "$command" "$card") ;;
            name) t=$(seconds "$card_tool" name "$card" 00.wav Renamed) ;;
            put) rm -f "$card/100.wav"; t=$(seconds "$card_tool" put "$card" "$work/new.wav") ;;
        esac
        line+=$(printf ' %s %.3f s' "$command" "$t")
    done
    echo "$line"
}

stage c100k 100000
stage c262k 262137 0 repeat
stage c30k 30000 30000
stage c1m 95000
stage c1m2 95000 95000
measure 'names.txt of 100,000 lines' c100k
measure 'names.txt of 262,137 lines' c262k
measure 'names.txt and leftover of 30,000 entries each (1 MiB each)' c30k
measure 'names.txt of 95,000 distinct entries (1 MiB)' c1m
measure 'names.txt and leftover of 95,000 distinct entries (1 MiB each)' c1m2
