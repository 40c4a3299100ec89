#!/usr/bin/env bash
# Renders the shipped images of the main window from their SVG sources:
# res/title.png and res/icon24_01.png .. icon24_07.png in dist/.
# Needs rsvg-convert (Debian package librsvg2-bin).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
out="$here/../dist/res"
mkdir -p "$out"
rsvg-convert --format=png -o "$out/title.png" "$here/title.svg"
for n in 01 02 03 04 05 06 07; do
    rsvg-convert --format=png --width=24 --height=24 -o "$out/icon24_$n.png" "$here/icon24_$n.svg"
done
# The update window's logo strip.
mkdir -p "$out/images"
rsvg-convert --format=png -o "$out/images/update.png" "$here/update.svg"
# A preview sheet for reviewing the icons at eight times their size (not shipped).
if [ "${1:-}" = "--preview" ]; then
    for n in 01 02 03 04 05 06 07; do
        rsvg-convert --format=png --width=96 --height=96 -o "/tmp/tallow-icon-$n.png" "$here/icon24_$n.svg"
    done
fi
