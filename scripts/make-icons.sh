#!/usr/bin/env bash
# Renders the application icon, dist/icons/sitewright.svg, to the PNG sizes the desktop and the
# windows use (dist/icons/sitewright-SIZE.png). A developer's tool: the PNGs are committed, the
# build does not run this. Needs rsvg-convert (apt-get install librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/.."
command -v rsvg-convert >/dev/null || { echo "needs rsvg-convert (apt-get install librsvg2-bin)"; exit 1; }
for size in 16 22 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" dist/icons/sitewright.svg -o "dist/icons/sitewright-$size.png"
done
