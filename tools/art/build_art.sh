#!/bin/sh
# Renders the card sheet data/hanaX.bmp and the rules page data/koikoi.html
# from the SVG the art generator writes. Both outputs are committed, so the
# program builds without any of these tools.
# Needs: python3, librsvg2-bin (rsvg-convert), imagemagick (convert),
# fonts-ipafont-mincho and fonts-ipafont-gothic for the Japanese lettering.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 "$here/make_sheet.py" "$work/sheet.svg"

# 1:1 for the program: every cell is drawn on whole pixels at its final size,
# so nothing is blurred by scaling down.
rsvg-convert "$work/sheet.svg" -o "$work/sheet.png"
# Windows loads a plain BITMAPINFOHEADER file best: 24 bits a pixel, no
# compression, rows stored bottom-up, no alpha channel.
convert "$work/sheet.png" -background '#228b22' -alpha remove -alpha off -type TrueColor \
    BMP3:"$root/data/hanaX.bmp"
python3 "$here/check_bmp.py" "$root/data/hanaX.bmp"

# Twice the size for the rules page, so the cards stay sharp on fine screens.
rsvg-convert -z 2 "$work/sheet.svg" -o "$work/sheet2x.png"
python3 "$here/make_rules_page.py" "$work/sheet2x.png" "$here/rules_page.html" "$root/data/koikoi.html"
echo "wrote data/hanaX.bmp and data/koikoi.html"
