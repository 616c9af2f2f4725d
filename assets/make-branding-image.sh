#!/usr/bin/env bash
# Regenerates branding.jpg, the banner the delivered program carries (about 9 KB), sized to fit
# the main window's picture above the link line. Needs ImageMagick's convert and the Liberation
# fonts.
set -euo pipefail
cd "$(dirname "$0")"
convert -size 400x50 gradient:'#1c4f8c-#6fb1e8' -rotate 0 \
  \( -size 400x50 pattern:checkerboard -alpha set -channel A -evaluate set 8% \) -composite \
  -font Liberation-Sans-Bold -pointsize 24 -fill white -gravity west \
  -annotate +18+0 'Sitewright' \
  -font Liberation-Sans -pointsize 14 -gravity east -annotate +18+0 'web gadgets made easy' \
  -quality 94 -strip branding.jpg
