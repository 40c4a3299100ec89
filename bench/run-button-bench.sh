#!/usr/bin/env bash
# Runs the button benchmark under Wine in a scratch prefix that is removed afterwards.
#   bench/run-button-bench.sh [build tree] [top folders]
#   (default: build/win64, built first; 200 top folders = 40,000 files in 4,000 folders)
# The program runs on a private Xvfb display.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
tree="${1:-$here/build/win64}"
cmake --build "$tree" --target button_bench tallowmere -j2 >/dev/null
scratch="$(mktemp -d /tmp/tallow-bench.XXXXXX)"
trap 'WINEPREFIX="$scratch/prefix" wineserver -k >/dev/null 2>&1 || true; rm -rf "$scratch"' EXIT
export WINEPREFIX="$scratch/prefix" HOME="$scratch/home" WINEDEBUG=-all
export XDG_DATA_HOME="$HOME/.local/share" XDG_CONFIG_HOME="$HOME/.config" XDG_CACHE_HOME="$HOME/.cache"
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
mkdir -p "$WINEPREFIX" "$HOME"
/usr/lib/wine/wine64 wineboot -i </dev/null >/dev/null 2>&1
wineserver -w
cd "$tree/bin"
xvfb-run -a -s "-screen 0 1024x768x24" /usr/lib/wine/wine64 ./button_bench.exe ${2:-}
