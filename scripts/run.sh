#!/usr/bin/env bash
# Installs what is needed, builds, and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh
if [ -x build/ui/quodlin ]; then
    exec build/ui/quodlin "$@"
fi
exec build/cli/quodlin-card "${@:---help}"
