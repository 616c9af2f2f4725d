#!/usr/bin/env bash
# Regenerates branding.jpg, the image the delivered program carries (about 9 KB). Needs
# ImageMagick's convert and the Liberation fonts.
set -euo pipefail
cd "$(dirname "$0")"
convert -size 200x100 gradient:'#1c4f8c-#6fb1e8' \
  \( -size 200x100 pattern:checkerboard -alpha set -channel A -evaluate set 8% \) -composite \
  -font Liberation-Sans-Bold -pointsize 28 -fill white -gravity center \
  -annotate +0-10 'Sitewright' \
  -font Liberation-Sans -pointsize 13 -annotate +0+22 'web gadgets made easy' \
  -quality 94 -strip branding.jpg
