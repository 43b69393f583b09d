#!/usr/bin/env bash
# Installs what is missing, builds, and starts the desktop program. Extra arguments go to
# the program (for example --dir DIR for the program folder).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh
exec ./build/tly "$@"
