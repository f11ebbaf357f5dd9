#!/usr/bin/env bash
# The layer check passes on the source tree, and fails, saying why, on a copy of it with one
# wrong include planted, for each include in planted_includes.txt.
set -euo pipefail
source_root="$1"
check="$source_root/scripts/check-layers.sh"
"$check" "$source_root"
copy="$(mktemp -d)"
trap 'rm -rf "$copy"' EXIT
failures=0
while IFS='|' read -r file include said; do
    [[ -z "$file" || "$file" == \#* ]] && continue
    rm -rf "$copy/tree" && mkdir "$copy/tree"
    (cd "$source_root" && tar -cf - core platform ui cli) | tar -xf - -C "$copy/tree"
    printf '%s\n' "$include" >> "$copy/tree/$file"
    if output="$("$check" "$copy/tree" 2>&1)"; then
        echo "not caught: $include in $file"
        failures=$((failures + 1))
    elif ! grep -qF "$said" <<< "$output"; then
        echo "caught without saying '$said': $include in $file: $output"
        failures=$((failures + 1))
    fi
done < "$(dirname "$0")/planted_includes.txt"
exit $((failures > 0))
