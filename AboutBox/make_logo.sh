#!/usr/bin/env bash
# Draws the About box logo, AboutBox/tovel_logo.jpg: 359 x 219 pixels, baseline JPEG, three colour
# components. The JPEG is committed beside this script, so the build never runs it; run it again after
# changing the drawing (needs ImageMagick, which scripts/setup.sh installs).
#
# The box shows the top-left 321 x 177 pixels of it. The drawing stays left of x = 120, where the box's
# own texts begin; the texts are black, so everything behind them is light. The About box test checks a
# few flat areas by colour: the page at (45, 32) is white, the stripe at (200, 153) is #2A7AB8.
set -euo pipefail
cd "$(dirname "$0")"

convert -size 359x219 gradient:'#F5F9FD'-'#CFE0F2' \
    -fill '#2A7AB8' -draw 'rectangle 0,150 358,157' \
    -fill '#E4EEF8' -draw 'rectangle 0,158 358,160' \
    -fill white -stroke '#2A7AB8' -strokewidth 3 -draw 'roundrectangle 22,16 104,136 6,6' \
    -stroke none -fill '#D6E4F2' -draw 'polygon 84,17 103,36 84,36' \
    -stroke '#2A7AB8' -strokewidth 2 -draw 'line 84,17 84,36' -draw 'line 84,36 103,36' \
    -stroke '#9DB4CC' -strokewidth 2 \
    -draw 'line 34,48 74,48' -draw 'line 34,62 92,62' -draw 'line 34,76 92,76' \
    -draw 'line 34,90 80,90' -draw 'line 34,104 92,104' -draw 'line 34,118 60,118' \
    -stroke '#5A3A12' -strokewidth 1 \
    -fill '#F2A33A' -draw 'polygon 66,116 108,58 118,66 76,124' \
    -fill '#E05A6A' -draw 'polygon 108,58 112,52 122,60 118,66' \
    -fill '#F6DDB0' -draw 'polygon 66,116 76,124 61,131' \
    -fill '#3B2A1A' -draw 'polygon 63,128 65,131 61,131' \
    -strip -colorspace sRGB -type TrueColor -interlace none -sampling-factor 2x2 -quality 92 \
    tovel_logo.jpg
