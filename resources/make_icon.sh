#!/bin/sh
# Draws the program's icon (a card on the felt with a red sun) and writes koikoi.ico in 16, 32 and 48 pixels.
# Run from anywhere; needs ImageMagick. The .ico is committed, so the build does not need this.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
convert -size 48x48 xc:'rgb(34,139,34)' \
    -fill 'rgb(120,20,20)' -draw 'roundrectangle 11,3 37,44 4,4' \
    -fill 'rgb(250,245,230)' -draw 'roundrectangle 13,5 35,42 3,3' \
    -fill 'rgb(220,30,30)' -draw 'circle 24,19 24,11' \
    -fill 'rgb(20,20,20)' -draw 'rectangle 13,32 35,42' \
    "$tmp/icon48.png"
for size in 16 32; do
    convert "$tmp/icon48.png" -resize ${size}x${size} "$tmp/icon$size.png"
done
convert "$tmp/icon16.png" "$tmp/icon32.png" "$tmp/icon48.png" "$here/koikoi.ico"
