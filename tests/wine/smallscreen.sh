#!/bin/bash
# The Windows program under Wine on a screen too small for the board: the
# game window takes the size fitted to the screen, and a repaint of a game
# window narrower than 650 pixels copies only the canvas's top-left 600 x 400
# pixels, unscaled.
#
#   smallscreen.sh EXE_DIR PROBE_EXE ARTEFACT_DIR
#
# (the arguments as driver.sh reads them).
set -u -o pipefail

export KOIKOI_XVFB_SCREEN=640x480x24
. "$(dirname "$0")/driver.sh" "$@"

start_game_process && read_client && retry 10 guide_painted || { fail "no guide page"; finish; }
read -r cx cy < <(probe metrics)
# The board's fit to the full-screen client area, as the window computes it:
# the ratio as a 32-bit float against 1016 / 698 as one, the sizes truncated.
read -r vw vh < <(python3 -c '
import struct, sys
f = lambda v: struct.unpack("f", struct.pack("f", v))[0]
cx, cy = int(sys.argv[1]), int(sys.argv[2])
aspect = f(1.4555874)
if f(cx / cy) >= aspect:
    w, h = (1016, 698) if cy >= 698 else (int(cy * aspect), cy)
else:
    w, h = (1016, 698) if cx >= 1016 else (cx, int(cx / aspect))
print(w, h)' "$cx" "$cy")
echo "full-screen client $cx x $cy: the board at $vw x $vh"
[ "$vw" -lt 650 ] && pass "the fitted width $vw is below the 650-pixel threshold" ||
    fail "the screen is not small enough ($vw)"

if open_menu 300 200 && choose_item 1 && retry 5 window_at 0 0 $((vw + 6)) $((vh + 32)); then
    pass "game start: the window fits the screen, $((vw + 6)) x $((vh + 32))"
else
    fail "game start: the window is at $(probe window)"
fi
read_client
# The game waits for the human once the screen stays the same for a while
# (the longest pause is 1.5 s).
settled() {
    answer_game_boxes
    import -window root "$art/settle-a.png"
    sleep 2.5
    import -window root "$art/settle-b.png"
    [ "$($screen differ "$art/settle-a.png" "$art/settle-b.png" 0 0 640 480)" = 0 ]
}
retry 60 settled || fail "the game did not settle"
shot stretched
felt=$($screen count "$last_shot" $((ox + 605)) "$oy" 30 $((vh - 10)) 34 139 34)
[ "$felt" -gt 1000 ] && pass "the game's own painting fills the window, stretched" ||
    fail "the game's own painting: $felt felt pixels right of x 605"
probe repaint
shot repainted
white=$($screen count "$last_shot" $((ox + 605)) "$oy" 30 $((vh - 10)) 255 255 255)
all=$((30 * (vh - 10)))
[ "$white" -gt $((all * 9 / 10)) ] &&
    pass "a repaint copies only the top-left 600 x 400, unscaled: white beside it" ||
    fail "a repaint: $white of $all pixels right of x 605 white"
felt=$($screen count "$last_shot" "$ox" "$oy" 600 400 34 139 34)
[ "$felt" -gt 60000 ] && pass "a repaint: the board's corner within the 600 x 400" ||
    fail "a repaint: $felt felt pixels in the 600 x 400"

end_game_process
finish
