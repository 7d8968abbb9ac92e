#!/usr/bin/env bash
# Cross-builds the layers without Qt (model, files, keyloom-cli and the Win32
# platform calls) for 64-bit Windows with mingw-w64, runs their tests under
# Wine, then checks that keyloom-cli.exe writes the same download files as the
# Linux build of keyloom-cli.
# BUILD_DIR (default build-win) names the cross build folder; NATIVE_BUILD_DIR
# the Linux build whose keyloom-cli is compared (default build when it has
# been configured, else build-win-native, configured here without the GUI).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

build="${BUILD_DIR:-build-win}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake \
  -DKEYLOOM_BUILD_GUI=OFF -DKEYLOOM_BUILD_BENCH=OFF
cmake --build "$build"

cached() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }
wine64="$(cached KEYLOOM_WINE64)"
if [ ! -x "$wine64" ]; then
  echo "cross-test: no wine64 found (Debian package wine64)" >&2
  exit 1
fi
wineserver="$(dirname "$wine64")/wineserver"
export WINEPREFIX
WINEPREFIX="$(cached KEYLOOM_WINEPREFIX)"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Non-ASCII file names reach Wine through the locale's encoding.
export LC_ALL=C.UTF-8

# One Wine session for the whole run: the server and Wine's own services
# start once here (slowly, the first time a prefix is made), not per test.
# Their output goes nowhere, or the services would hold ctest's pipes open.
mkdir -p "$WINEPREFIX"
"$wineserver" -p </dev/null >/dev/null 2>&1 || true  # may already run
trap '"$wineserver" -k >/dev/null 2>&1 || true' EXIT
timeout 600 "$wine64" wineboot </dev/null >/dev/null 2>&1

ctest --test-dir "$build" --output-on-failure -j2 --timeout 300

# keyloom-cli.exe hex against the Linux build, on every definition file the
# project ships, in a folder whose name has blanks and letters beyond ASCII.
native="${NATIVE_BUILD_DIR:-}"
if [ -z "$native" ]; then
  if [ -f build/CMakeCache.txt ]; then
    native=build
  else
    native=build-win-native
    cmake -S . -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DKEYLOOM_BUILD_GUI=OFF -DKEYLOOM_BUILD_BENCH=OFF -DKEYLOOM_BUILD_TESTS=OFF
  fi
fi
cmake --build "$native" --target keyloom-cli

compare="$PWD/$build/hex-compare"
rm -rf "$compare"
compared=0
for input in examples/*.ckd tests/data/*.ckd; do
  [ -f "$input" ] || continue
  name="$(basename "$input" .ckd)"
  for side in linux windows; do
    mkdir -p "$compare/$side/Däta Ördner"
    cp "$input" "$compare/$side/Däta Ördner/$name.ckd"
  done
  "$native/cli/keyloom-cli" hex "$compare/linux/Däta Ördner/$name.ckd"
  "$native/cli/keyloom-cli" hex "$compare/linux/Däta Ördner/$name.ckd" -o "$compare/linux/$name out.hex"
  "$wine64" "$build/cli/keyloom-cli.exe" hex "$compare/windows/Däta Ördner/$name.ckd"
  "$wine64" "$build/cli/keyloom-cli.exe" hex "$compare/windows/Däta Ördner/$name.ckd" \
    -o "$compare/windows/$name out.hex"
  for file in "Däta Ördner/$name.hex" "$name out.hex"; do
    if ! cmp "$compare/linux/$file" "$compare/windows/$file"; then
      echo "cross-test: keyloom-cli.exe hex differs from the Linux build on $input" >&2
      exit 1
    fi
  done
  compared=$((compared + 1))
done
if [ "$compared" -eq 0 ]; then
  echo "cross-test: no definition files to compare" >&2
  exit 1
fi
echo "cross-test: keyloom-cli.exe hex matches the Linux build on $compared definition files"
