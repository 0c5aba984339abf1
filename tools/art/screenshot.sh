#!/bin/sh
# Makes docs/screenshot.png, the picture at the top of the README.
#
#   screenshot.sh            compose a mock board from data/hanaX.bmp at the
#                            places of data/allocation.dat (mock_board.py)
#   screenshot.sh SHOT.png   use a real screenshot of the program instead,
#                            e.g. one kept by the Wine end-to-end run; the
#                            board (the top-left 1016 x 698) is cut from it
#
# Either way the picture is stored as an 8-bit PNG with a reduced palette so
# it stays well under 300 KB.
# Needs: python3, imagemagick (convert), fontconfig and fonts-ipafont-mincho.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
out="$root/docs/screenshot.png"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$root/docs"

if [ $# -ge 1 ]; then
    # Hook for the real program: a window capture under Wine. The board is
    # drawn from the client area's top-left corner at 1016 x 698 when the
    # screen is large enough (smaller screens get a scaled board).
    convert "$1" -crop 1016x698+0+0 +repage "$work/board.png"
else
    python3 "$here/mock_board.py" "$root/data/hanaX.bmp" "$root/data/allocation.dat" "$work/board.png"
fi

convert "$work/board.png" -depth 8 -strip -colors 192 -define png:compression-level=9 "PNG8:$out"
size=$(wc -c < "$out")
echo "wrote docs/screenshot.png ($size bytes)"
[ "$size" -le 307200 ] || { echo "docs/screenshot.png is over 300 KB" >&2; exit 1; }
