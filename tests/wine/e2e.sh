#!/bin/bash
# End-to-end test of koikoi.exe under Wine on a virtual display: the guide
# screen, the menu's enabling, the record dialog, the rules page, a game's
# start and a human play, and closing through the close box.
#
#   e2e.sh EXE_DIR PROBE_EXE ARTEFACT_DIR
#
# (the arguments as driver.sh reads them). Every wait is a retry with a
# timeout.
set -u -o pipefail

. "$(dirname "$0")/driver.sh" "$@"

# A record file with one month won by 3 kan against 朱雀, for the reset.
records 6 > "$run/result.dat"

# --- The guide screen ------------------------------------------------------
start_game_process || { fail "the main window did not appear"; exit 1; }
check "window title read through the wide API" "Kanemiro「来い来い」(ver1.02)" "$(probe title)"
check "title window 600 x 400 at (100, 100)" "100 100 600 400" "$(probe window)"
read_client || fail "no client area"

if retry 10 guide_painted; then
    pass "guide screen: the opponent's line is red"
    white=$($screen count "$last_shot" "$ox" "$oy" 594 375 255 255 255)
    [ "$white" -gt $((594 * 375 * 8 / 10)) ] && pass "guide screen: white page" ||
        fail "guide screen: white page ($white white pixels)"
    black=$($screen count "$last_shot" $((ox + 6)) $((oy + 6)) 574 34 0 0 0)
    [ "$black" -gt 100 ] && pass "guide screen: black paragraphs" ||
        fail "guide screen: black paragraphs ($black black pixels)"
else
    fail "guide screen: no red line"
fi

# --- The popup menu -------------------------------------------------------
if open_menu 300 200; then
    # Items: ゲームスタート, ゲームセット, 対戦者表示, ルール, 終了.
    check "title menu: start, dialog, rules, exit enabled; game set greyed" "1 0 1 1 1" "$(menu_state)"
    close_menu || fail "the menu did not close"
else
    fail "no popup menu on the title screen"
fi

# --- The record dialog ----------------------------------------------------
if open_menu 300 200 && choose_item 3 && retry 5 probe dialog >/dev/null; then
    pass "the record dialog opens from the menu"
    read -r dx dy dw dh < <(probe dialog)
    table_painted() {
        shot dialog
        [ "$($screen count "$last_shot" $((dx + 2)) $((dy + 22)) 50 16 251 152 136)" -gt 100 ]
    }
    if retry 5 table_painted; then
        rows=""
        for o in 0 1 2 3; do
            rows="$rows$($screen pixel "$last_shot" $((dx + 2)) $((dy + 20 * o + 22))) / "
        done
        check "record table: the four row colours" \
            "251 152 136 / 74 245 167 / 237 251 220 / 202 175 197 / " "$rows"
        header=$($screen count "$last_shot" "$dx" "$dy" 538 20 0 0 0)
        [ "$header" -gt 50 ] && pass "record table: header drawn" || fail "record table: no header"
    else
        fail "record table not painted"
    fi
    if open_menu 560 300; then
        check "menu while the dialog is open: its item greyed" "1 0 0 1 1" "$(menu_state)"
        close_menu
    fi
    closed=no
    for attempt in 1 2 3; do
        # Without a window manager nothing keeps the owned dialog above the
        # main window once the main window has been clicked; a window manager
        # would, so the test raises it as one would.
        xdotool search --name 戦績表示 windowraise >/dev/null 2>&1
        sleep 0.2
        at=$(probe button 戦績表示 2) || break
        click $at
        if retry 2 dialog_gone; then closed=yes; break; fi
    done
    check "閉じる closes the dialog" yes "$closed"
else
    fail "the record dialog does not open"
fi

# Resetting the record, then choosing 玄武 on the title screen.
records_reset() { cmp -s "$run/result.dat" <(records 3); }
if open_menu 300 200 && choose_item 3 && retry 5 probe dialog >/dev/null; then
    guide_before=$art/guide-before-choice.png
    import -window root "$guide_before"
    at=$(probe button 戦績表示 1006) && click $at
    if retry 3 has_button リセット 6 || { click $at; retry 3 has_button リセット 6; }; then
        press_button リセット 6
        retry 5 records_reset && pass "戦績リセット answered yes resets result.dat" ||
            fail "result.dat not reset"
    else
        fail "no reset question"
    fi
    # Radio 1005 is 玄武; 対戦相手決定 takes it and closes the dialog.
    at=$(probe button 戦績表示 1005) && click $at
    press_button 戦績表示 1001
    if retry 3 dialog_gone; then
        pass "対戦相手決定 closes the dialog"
        shot guide-genbu
        changed=$($screen differ "$guide_before" "$last_shot" $((ox + 16)) $((oy + 326)) 574 17)
        [ "$changed" -gt 20 ] && pass "the guide's red line names the new opponent" ||
            fail "the red line did not change"
    else
        fail "対戦相手決定 did not close the dialog"
    fi
else
    fail "the record dialog does not open again"
fi

# --- The rules page -------------------------------------------------------
opened() { grep -q 'koikoi\.html' "$test_dir/opened.txt" 2>/dev/null; }
if open_menu 300 200 && choose_item 4 && retry 10 opened; then
    pass "ルール hands koikoi.html to the browser"
    cp "$test_dir/opened.txt" "$art/opened.txt"
else
    fail "ルール did not open koikoi.html"
fi

# --- The game -------------------------------------------------------------
if open_menu 300 200 && choose_item 1; then
    if retry 5 window_at 0 0 1022 730; then
        pass "game start: the window moves to (0, 0) at the board's size"
    else
        fail "game start: window at $(probe window)"
    fi
    read_client
    felt_shown() {
        shot felt
        [ "$($screen count "$last_shot" "$ox" "$oy" 1016 698 34 139 34)" -gt 300000 ]
    }
    retry 10 felt_shown && pass "game start: the felt" || fail "game start: no felt"
    if retry 60 hand_prompt; then
        pass "after the deal and the computer's play the hand-card prompt shows"
        read_board
        faces=$(awk '$1 < 8 && NF == 5 && $5 < 4' "$art/board.txt" | wc -l)
        check "the human's eight cards face up where allocation.dat puts them" 8 "$faces"
        backs=$(awk '$1 >= 56 && $1 < 64 && $4 ~ /^back/' "$art/board.txt" | wc -l)
        check "the computer's hand face down after its first play" 7 "$backs"
        field=$(awk '$1 >= 160 && $1 < 184 && NF == 5' "$art/board.txt" | wc -l)
        [ "$field" -ge 6 ] && pass "cards on the field ($field)" || fail "cards on the field ($field)"

        # --- A play of the human ---
        slot=$(playable_hand_slot)
        cp "$last_shot" "$art/before-play.png"
        click_slot "${slot:-0}"
        played() {
            answer_game_boxes
            shot play
            choose_field_if_asked
            read_board
            [ "$(slot_of "${slot:-0}" | cut -d' ' -f4)" = felt ]
        }
        if retry 30 played; then
            pass "a click on a hand card plays it: its slot is empty"
        else
            fail "the clicked hand card did not leave its slot"
        fi
        changed=$($screen differ "$art/before-play.png" "$last_shot" "$ox" "$oy" 1016 698)
        [ "$changed" -gt 2000 ] && pass "the board changed ($changed pixels)" ||
            fail "the board did not change ($changed pixels)"

        # --- Closing while the game is pausing ---
        retry 30 either_prompt
        # The board in play, cut from the screen at the client area: the
        # README's picture is made from it (tools/art/screenshot.sh).
        convert "$last_shot" -crop "1016x698+$ox+$oy" +repage "$art/board-in-play.png"
        read_board
        read -r bx by < <(probe closebox)
        slot=$(playable_hand_slot)
        click_slot "${slot:-1}"
        sleep 0.3
        if ask_to_close 6; then
            pass "close box during a game step: the question comes"
            press_button 確認 6
            if retry 10 has_ok_button 注意; then
                pass "answered yes during a pause: the closing notice"
                press_button 注意 "$(ok_button 注意)"
            else
                fail "no closing notice"
            fi
        else
            fail "no close question"
        fi
        if await_exit 30; then
            check "the game sequence closes the window; exit code" 0 "$exit_code"
        else
            fail "the program did not end after the deferred close"
        fi
    else
        fail "the human's turn never came"
    fi
else
    fail "ゲームスタート could not be chosen"
fi

# --- Closing from the title screen ---------------------------------------
game_pid=
if start_game_process && read_client && retry 10 guide_painted; then
    read -r bx by < <(probe closebox)
    if ask_to_close 4; then
        press_button 確認 6
        if await_exit 10; then
            check "close box on the title screen, answered yes: exit code" 0 "$exit_code"
        else
            fail "the program did not end after the close question"
        fi
    else
        fail "no close question on the title screen"
    fi
else
    fail "second start"
fi

# --- A Windows whose ANSI code page is not Japanese ------------------------
# The texts are converted from code page 932 explicitly, so the title comes
# out the same under code page 1252.
game_pid=
if LANG=C.UTF-8 LC_ALL=C.UTF-8 start_game_process; then
    check "window title under a western code page" "Kanemiro「来い来い」(ver1.02)" "$(probe title)"
    read_client && retry 10 guide_painted && pass "guide screen under a western code page" ||
        fail "guide screen under a western code page"
    kill "$game_pid" 2>/dev/null
    wait "$game_pid" 2>/dev/null
else
    fail "start under a western code page"
fi

finish
