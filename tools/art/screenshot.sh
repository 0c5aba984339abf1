#!/bin/bash
# Makes docs/screenshot.png, the picture at the top of the README.
#
#   screenshot.sh            build koikoi.exe (mingw preset), play the start of
#                            a game under Wine on a virtual display (the
#                            end-to-end run of tests/wine) and keep the board
#                            as it stands after the player's first play
#   screenshot.sh SHOT.png   use a picture of the board taken before, e.g.
#                            board-in-play.png of an end-to-end run; a larger
#                            picture is cut to its top-left 1016 x 698
#   screenshot.sh --mock     compose a mock board from data/hanaX.bmp at the
#                            places of data/allocation.dat, for machines that
#                            cannot run Wine
#
# The picture is stored as an 8-bit PNG with a reduced palette so it stays
# well under 300 KB.
# Needs: python3 and imagemagick; the first form also what tools/deps.sh
# installs for the Windows build and Wine.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
out="$root/docs/screenshot.png"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$root/docs"

case "${1:-}" in
--mock)
    python3 "$here/mock_board.py" "$root/data/hanaX.bmp" "$root/data/allocation.dat" \
        "$work/board.png"
    ;;
"")
    cd "$root"
    cmake --preset mingw >/dev/null
    cmake --build --preset mingw >/dev/null
    bash tests/wine/e2e.sh build/mingw/shell/windows build/mingw/tests/wine/koikoi_probe.exe \
        "$work/e2e" >"$work/e2e.log" 2>&1 || true
    if [ ! -s "$work/e2e/board-in-play.png" ]; then
        tail -n 20 "$work/e2e.log" >&2
        echo "the game did not reach a play under Wine; no picture taken" >&2
        exit 1
    fi
    cp "$work/e2e/board-in-play.png" "$work/board.png"
    ;;
*)
    convert "$1" -crop 1016x698+0+0 +repage "$work/board.png"
    ;;
esac

convert "$work/board.png" -depth 8 -strip -colors 192 -define png:compression-level=9 "PNG8:$out"
size=$(wc -c < "$out")
echo "wrote docs/screenshot.png ($size bytes)"
[ "$size" -le 307200 ] || { echo "docs/screenshot.png is over 300 KB" >&2; exit 1; }
