#!/bin/bash
# The Windows program under Wine through a game's commands: the menu and the
# record dialog while a game runs (the dialog's refusals with their texts),
# ゲームセット in the middle of a game back to the guide page, maximising and
# restoring the window, and 終了 from the guide page.
#
#   game.sh EXE_DIR PROBE_EXE ARTEFACT_DIR
#
# (the arguments as driver.sh reads them).
set -u -o pipefail

. "$(dirname "$0")/driver.sh" "$@"

records 6 > "$run/result.dat"
cp "$run/result.dat" "$art/result-before.dat"

start_game_process && read_client && retry 10 guide_painted || { fail "no guide page"; finish; }
if ! { open_menu 300 200 && choose_item 1 && retry 5 window_at 0 0 1022 730; }; then
    fail "ゲームスタート could not be chosen"
    finish
fi
read_client
retry 60 hand_prompt || { fail "the human's turn never came"; finish; }
pass "a game runs: the human's turn"

# --- The menu and the dialog while a game runs --------------------------------
# A right click on the felt between the field and the human's piles.
if open_menu 700 470; then
    # Items: ゲームスタート, ゲームセット, 対戦者表示, ルール, 終了.
    check "menu during a game: game set, dialog, rules enabled; start, exit greyed" "0 1 1 1 0" \
        "$(menu_state)"
    choose_item 3
fi
refusal() {  # refusal WHAT TEXT: the box with the empty caption reads TEXT; OK closes it
    if retry 5 has_ok_button ""; then
        check "$1 refused: the message" "$2" "$(probe text "")"
        press_button "" "$(ok_button "")"
    else
        fail "$1: no refusal message"
    fi
}
if retry 5 probe dialog >/dev/null; then
    pass "the record dialog opens during a game"
    check "the radio of the current opponent (朱雀) is checked" 1 "$(probe checked 戦績表示 1002)"
    at=$(probe button 戦績表示 1005) && click $at
    retry 3 eval '[ "$(probe checked 戦績表示 1005)" = 1 ]' || { click $at; sleep 0.5; }
    # The button stays when the choice is refused, so it is clicked once
    # more only if no message came.
    at=$(probe button 戦績表示 1001) && click $at
    retry 3 has_ok_button "" || click $at
    refusal 対戦相手決定 "ゲームスタート後は対戦相手を変更できません。"
    check "after the refusal: 朱雀 checked again" "1 0" \
        "$(probe checked 戦績表示 1002) $(probe checked 戦績表示 1005)"
    at=$(probe button 戦績表示 1006) && click $at
    retry 3 has_ok_button "" || click $at
    refusal 戦績リセット "ゲームスタート後は対戦実績をリセットできません。"
    cmp -s "$run/result.dat" "$art/result-before.dat" && pass "the refused reset left result.dat" ||
        fail "the refused reset changed result.dat"
    has_button 戦績表示 1001 && pass "the dialog stays open after the refusals" ||
        fail "the dialog closed"
    for attempt in 1 2 3; do
        xdotool search --name 戦績表示 windowraise >/dev/null 2>&1
        sleep 0.2
        at=$(probe button 戦績表示 2) || break
        click $at
        retry 2 dialog_gone && break
    done
    retry 2 dialog_gone || fail "閉じる did not close the dialog"
else
    fail "the record dialog does not open during a game"
fi

# --- ゲームセット in the middle of the game -----------------------------------
before_set=$art/board-before-set.png
import -window root "$before_set"
if open_menu 700 470 && choose_item 2 && retry 5 window_at 100 100 600 400; then
    pass "ゲームセット: back to the 600 x 400 title window at (100, 100)"
    read_client
    retry 10 guide_painted && pass "ゲームセット: the guide page is painted again" ||
        fail "ゲームセット: no guide page"
else
    fail "ゲームセット: the window is at $(probe window)"
fi

# --- Maximise and restore -----------------------------------------------------
# The client is then wider than 650 pixels, so a repaint stretches the whole
# canvas: right of the guide page the last board's felt shows.
if read -r mbx mby < <(probe maxbox); then
    click "$mbx" "$mby"
    maximised() { read_client && [ "$cw" -ge 650 ]; }
    if retry 5 maximised; then
        pass "maximised: the client is $cw x $ch"
        whole_canvas() {
            shot maximised
            [ "$($screen count "$last_shot" $((ox + 700)) $((oy + 450)) 300 200 34 139 34)" -gt 20000 ]
        }
        retry 5 whole_canvas && pass "maximised: the whole canvas, the last board's felt beside the page" ||
            fail "maximised: no felt beside the page"
        retry 5 guide_painted && pass "maximised: the guide page at the top left" ||
            fail "maximised: no guide page"
        read -r mbx mby < <(probe maxbox) && click "$mbx" "$mby"
        if retry 5 window_at 100 100 600 400; then
            pass "restored: 600 x 400 at (100, 100)"
            read_client && retry 5 guide_painted && pass "restored: the guide page" ||
                fail "restored: no guide page"
        else
            fail "restored: the window is at $(probe window)"
        fi
    else
        fail "the window was not maximised ($(probe window))"
    fi
else
    fail "no maximise box"
fi

# --- 終了 from the guide page ---------------------------------------------------
if open_menu 300 200 && choose_item 5; then
    if await_exit 10; then
        check "終了 from the guide page: exit code" 0 "$exit_code"
    else
        fail "終了 did not end the program"
    fi
else
    fail "終了 could not be chosen"
fi

finish
