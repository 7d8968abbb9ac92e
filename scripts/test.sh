#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
# BUILD_DIR and CMAKE_ARGS may be set to build a variant (see .ci/run).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build="${BUILD_DIR:-build}"
# shellcheck disable=SC2086
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo ${CMAKE_ARGS:-}
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure -j2 --timeout 300
