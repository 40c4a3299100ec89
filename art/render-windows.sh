#!/usr/bin/env bash
# Renders the pictures of the About and splash windows from their SVG sources:
# res/images/about.png (373 x 65, the logo strip) and res/images/splash.png
# (450 x 250, 8-bit RGBA; the program also carries it as its built-in splash
# picture) in dist/. Needs rsvg-convert (Debian package librsvg2-bin).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
out="$here/../dist/res/images"
mkdir -p "$out"
rsvg-convert --format=png -o "$out/about.png" "$here/about.svg"
rsvg-convert --format=png -o "$out/splash.png" "$here/splash.svg"
