#!/usr/bin/env bash
# Installs what is missing, builds the editor and starts it; arguments are
# passed on (the first one names a definition file to open).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
exec build/app/KeyloomTVRxx "$@"
