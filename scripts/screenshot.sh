#!/usr/bin/env bash
# Starts the real editor under a virtual X server (the xcb platform, not
# offscreen), optionally with a definition file, and saves a PNG of its window.
#   scripts/screenshot.sh [FILE.ckd] OUT.png
# BUILD_DIR names the build folder (default: build); LAYOUT=24 or 48 sets the
# key layout the editor starts in when no file says otherwise.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -lt 1 ] || [ $# -gt 2 ]; then
  echo "usage: $0 [FILE.ckd] OUT.png" >&2
  exit 2
fi
definition=()
if [ $# -eq 2 ]; then
  definition=("$(realpath "$1")")
  out="$2"
else
  out="$1"
fi
out="$(realpath -m "$out")"
build="${BUILD_DIR:-build}"
if [ ! -x "$build/app/KeyloomTVRxx" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$build" --target KeyloomTVRxx
fi
# A home of its own, so the picture never depends on (or touches) the user's files.
home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
docs="$home/Documents/Corvella/KeyloomTVRxx"
mkdir -p "$docs"
if [ -n "${LAYOUT:-}" ]; then
  printf '[CONFIGURATION]\r\nNumber_of_Keys=%s\r\n' "$LAYOUT" >"$docs/KeyloomTVRxx.ini"
fi
HOME="$home" XDG_DOCUMENTS_DIR="$home/Documents" QT_QPA_PLATFORM=xcb KEYLOOM_SCREENSHOT="$out" \
  xvfb-run -a -s "-screen 0 1280x1024x24" "$build/app/KeyloomTVRxx" "${definition[@]}"
echo "saved $out"
