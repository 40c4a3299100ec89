#!/usr/bin/env bash
# Runs the button benchmark under Wine in a scratch prefix that is removed afterwards.
#   bench/run-button-bench.sh [build tree] [top folders]
#   (default: build/win64, built first; 200 top folders = 40,000 files in 4,000 folders)
# The program runs on a private Xvfb display.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
tree="${1:-$here/build/win64}"
cmake --build "$tree" --target button_bench tallowmere -j2 >/dev/null
. "$here/bench/scratch-prefix.sh"
cd "$tree/bin"
xvfb-run -a -s "-screen 0 1024x768x24" /usr/lib/wine/wine64 ./button_bench.exe ${2:-}
