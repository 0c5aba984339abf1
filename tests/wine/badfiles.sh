#!/bin/bash
# The Windows program under Wine with bad data files, each run in a fresh
# folder: the message each file gives (caption "File Confirm" and its text),
# and that the game goes on. Where two files are bad in one run, the layout's
# message comes first (before the window) and the card sheet's second.
#
#   badfiles.sh EXE_DIR PROBE_EXE ARTEFACT_DIR
#
# (the arguments as driver.sh reads them).
set -u -o pipefail

. "$(dirname "$0")/driver.sh" "$@"

# start_after_box WHAT TEXT [WHAT TEXT]: starts the program, expects the
# messages in that order, then the guide page.
start_after_box() {
    launch_game_process
    local what=$1
    while [ $# -ge 2 ]; do
        expect_file_box "$1" "$2"
        shift 2
    done
    if retry 20 probe title >/dev/null && read_client && retry 10 guide_painted; then
        pass "$what: the guide page follows"
    else
        fail "$what: no guide page after the message"
    fi
}

# start_game: the menu's first item; the window moves to the board's place.
start_game() {
    open_menu 300 200 && choose_item 1 && retry 5 window_at 0 0 1022 730 && read_client
}

# --- allocation.dat ---------------------------------------------------------
# Not numbers, and no koikoi.html: the layout's message before the window,
# the shipped layout on the board, and ルール names the missing page.
sed '1s/^006/abc/' "$layout" > "$run/allocation.dat"
rm -f "$run/koikoi.html"
start_after_box "allocation.dat not numbers" "Could not read file allocation.dat."
if open_menu 300 200 && choose_item 4; then
    expect_file_box "ルール without koikoi.html" "Could not find file koikoi.html."
    retry 3 process_gone && fail "the program ended after the rules message" ||
        pass "ルール without koikoi.html: the program goes on"
fi
if start_game && retry 60 hand_prompt; then
    read_board
    faces=$(awk '$1 < 8 && NF == 5 && $5 < 4' "$art/board.txt" | wc -l)
    check "damaged allocation.dat: the human's cards where the shipped layout puts them" 8 "$faces"
else
    fail "damaged allocation.dat: the game did not come to the human's turn"
fi
end_game_process

# Too few lines, with a card sheet that is no bitmap; a missing layout, with
# a sheet cut short. The sheet's message comes once the window shows.
fresh_run
head -n 10 "$layout" > "$run/allocation.dat"
cp "$exe_dir/koikoi.html" "$run/hanaX.bmp"
start_after_box "allocation.dat of 10 lines" "Could not read file allocation.dat." \
    "hanaX.bmp not a bitmap" "Could not read file hanaX.bmp."
end_game_process

fresh_run
rm "$run/allocation.dat"
head -c 100000 "$sheet" > "$run/hanaX.bmp"
start_after_box "allocation.dat missing" "Could not find file." \
    "hanaX.bmp cut short" "Could not read file hanaX.bmp."
end_game_process

# --- hanaX.bmp --------------------------------------------------------------
# Missing: the game still starts, on the felt, without cards to see.
fresh_run
rm "$run/hanaX.bmp"
start_after_box "hanaX.bmp missing" "Could not find file hanaX.bmp."
felt_shown() {
    shot felt
    [ "$($screen count "$last_shot" "$ox" "$oy" 1016 698 34 139 34)" -gt 300000 ]
}
if start_game && retry 10 felt_shown; then
    pass "hanaX.bmp missing: the game starts on the felt"
else
    fail "hanaX.bmp missing: the game did not start"
fi
end_game_process

# --- result.dat ---------------------------------------------------------------
# Random bytes with the read-only attribute: read as months and kept as they
# are; a reset is refused with the write-failure message.
fresh_run
head -c 4960 /dev/urandom > "$run/result.dat"
cp "$run/result.dat" "$art/result-before.dat"
(cd "$run" && wine cmd /c attrib +r result.dat >/dev/null 2>&1)
[ -w "$run/result.dat" ] && [ "$(id -u)" != 0 ] && fail "attrib +r left result.dat writable"
start_game_process && read_client && retry 10 guide_painted || fail "result.dat read-only: no guide page"
if open_menu 300 200 && choose_item 3 && retry 5 probe dialog >/dev/null; then
    read -r dx dy dw dh < <(probe dialog)
    table_painted() {
        shot dialog
        [ "$($screen count "$last_shot" $((dx + 2)) $((dy + 22)) 50 16 251 152 136)" -gt 100 ]
    }
    retry 5 table_painted && pass "random result.dat: the record table is painted" ||
        fail "random result.dat: no record table"
    at=$(probe button 戦績表示 1006) && click $at
    if retry 3 has_button リセット 6 || { click $at; retry 3 has_button リセット 6; }; then
        press_button リセット 6
        expect_file_box "reset of a read-only result.dat" "Could not write file."
    else
        fail "no reset question"
    fi
    cmp -s "$run/result.dat" "$art/result-before.dat" && pass "read-only result.dat: unchanged" ||
        fail "read-only result.dat: changed"
    attributes=$(cd "$run" && wine cmd /c attrib result.dat 2>/dev/null | tr -d '\r')
    case "$attributes" in
        *R*result.dat*) pass "result.dat: still read-only" ;;
        *) fail "result.dat: not read-only any more ($attributes)" ;;
    esac
    has_button 戦績表示 1001 && pass "the dialog stays open" || fail "the dialog is gone"
else
    fail "result.dat read-only: the record dialog does not open"
fi
end_game_process

finish
