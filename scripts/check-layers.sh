#!/usr/bin/env bash
# Fails when a file includes across a wall between the layers or two folders include each other;
# --graph prints the include graph between folders. A root other than this repository may be given.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="${1:-$here/..}"
shift || true
exec python3 "$here/check_layers.py" "$root" "$@"
