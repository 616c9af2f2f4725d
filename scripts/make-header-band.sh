#!/usr/bin/env bash
# Draws the main window's header band, assets/header-band.png (537 x 33), with ImageMagick.
# A developer's tool: the band is committed, the build does not run this.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v convert >/dev/null || { echo "needs ImageMagick (apt-get install imagemagick)"; exit 1; }
convert -size 33x537 gradient:'#0A246A-#3A6EA5' -rotate -90 \
  \( -size 537x1 xc:'#8FB3DB' \) -geometry +0+31 -composite \
  \( -size 537x1 xc:'#05163F' \) -geometry +0+32 -composite \
  -strip PNG24:assets/header-band.png
