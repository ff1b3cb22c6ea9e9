#!/usr/bin/env bash
# Takes a picture of every screen of the desktop program on a virtual X
# server (Xvfb), so anyone can look at what it shows without a desktop.
#   tools/screenshots/take-screenshots.sh [BUILD_DIR [OUTPUT_DIR]]
# The pictures are build outputs (BUILD_DIR/screenshots by default).
set -euo pipefail
build="${1:-build}"
out="${2:-$build/screenshots}"
tool="$build/tools/screenshots/mendwell-screenshots"
if [ ! -x "$tool" ]; then
  echo "$tool is missing: build first (make build)" >&2
  exit 1
fi
mkdir -p "$out"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x960x24" "$tool" "$out"
echo "Screenshots in $out:"
ls -1 "$out"
