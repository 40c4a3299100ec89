#!/usr/bin/env bash
# Runs the cleaners' benchmark under Wine in a scratch prefix that is removed afterwards.
#   bench/run-bench.sh [build tree] [top folders]
#   (default: build/win64, built first; 100 top folders = 20,000 files in 2,000 folders)
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
tree="${1:-$here/build/win64}"
cmake --build "$tree" --target cleaning_bench -j2 >/dev/null
. "$here/bench/scratch-prefix.sh"
cd "$tree/bin"
/usr/lib/wine/wine64 ./cleaning_bench.exe ${2:-}
