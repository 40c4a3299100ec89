#!/usr/bin/env bash
# Runs the cleaners' benchmark under Wine in a scratch prefix that is removed afterwards.
#   bench/run-bench.sh [build tree] [top folders]
#   (default: build/win64, built first; 100 top folders = 20,000 files in 2,000 folders)
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
tree="${1:-$here/build/win64}"
cmake --build "$tree" --target cleaning_bench -j2 >/dev/null
scratch="$(mktemp -d /tmp/tallow-bench.XXXXXX)"
trap 'WINEPREFIX="$scratch/prefix" wineserver -k >/dev/null 2>&1 || true; rm -rf "$scratch"' EXIT
export WINEPREFIX="$scratch/prefix" HOME="$scratch/home" WINEDEBUG=-all
export XDG_DATA_HOME="$HOME/.local/share" XDG_CONFIG_HOME="$HOME/.config" XDG_CACHE_HOME="$HOME/.cache"
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
mkdir -p "$WINEPREFIX" "$HOME"
/usr/lib/wine/wine64 wineboot -i </dev/null >/dev/null 2>&1
wineserver -w
cd "$tree/bin"
/usr/lib/wine/wine64 ./cleaning_bench.exe ${2:-}
