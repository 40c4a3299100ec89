# Sourced by the benchmark scripts: a Wine prefix and HOME of the script's own in
# a scratch folder ($scratch), removed when the script ends, set up with WINE
# (default the 64-bit loader) and its server stopped, so that the next start
# runs on whatever display the script chooses.
scratch="$(mktemp -d /tmp/tallow-bench.XXXXXX)"
trap 'WINEPREFIX="$scratch/prefix" wineserver -k >/dev/null 2>&1 || true; rm -rf "$scratch"' EXIT
export WINEPREFIX="$scratch/prefix" HOME="$scratch/home" WINEDEBUG=-all
export XDG_DATA_HOME="$HOME/.local/share" XDG_CONFIG_HOME="$HOME/.config" XDG_CACHE_HOME="$HOME/.cache"
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
mkdir -p "$WINEPREFIX" "$HOME"
timeout 900 "${WINE:-/usr/lib/wine/wine64}" wineboot -i </dev/null >/dev/null 2>&1 || true
wineserver -k 2>/dev/null || true
wineserver -w
