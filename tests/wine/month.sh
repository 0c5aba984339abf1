#!/bin/bash
# A whole month of koikoi.exe under Wine, played by clicking: from an empty
# record file, the player starts a game against 朱雀 and plays hand cards
# (and field cards when a choice is asked) until a side has banked 10 mon
# and the month is written to result.dat; then the record dialog must show
# the month in 朱雀's row, and the game closes through the close box.
#
#   month.sh EXE_DIR PROBE_EXE ARTEFACT_DIR
#
# It takes some minutes, as the game's pauses are real, so it runs with the
# soak tests (ctest --preset mingw-soak), not in the default test run.
set -u -o pipefail

shot_numbered=no
. "$(dirname "$0")/driver.sh" "$@"

records 3 > "$run/result.dat"
empty_records=$art/empty-result.dat
cp "$run/result.dat" "$empty_records"
month_recorded() { ! cmp -s "$run/result.dat" "$empty_records"; }

# row_shot NAME: opens the record dialog from the menu and keeps 朱雀's row
# of the table as NAME.png; the dialog is closed again.
row_shot() {
    local at
    open_menu 300 200 && choose_item 3 && retry 5 probe dialog >/dev/null || return 1
    read -r dx dy dw dh < <(probe dialog)
    row_painted() {
        xdotool search --name 戦績表示 windowraise >/dev/null 2>&1
        shot dialog
        [ "$($screen count "$last_shot" $((dx + 2)) $((dy + 22)) 50 16 251 152 136)" -gt 100 ]
    }
    retry 5 row_painted || return 1
    convert "$last_shot" -crop "538x20+$dx+$((dy + 22))" +repage "$art/$1.png"
    for attempt in 1 2 3; do
        xdotool search --name 戦績表示 windowraise >/dev/null 2>&1
        sleep 0.2
        at=$(probe button 戦績表示 2) || return 0
        click $at
        retry 2 dialog_gone && return 0
    done
    return 1
}

start_game_process || { echo "FAIL: the main window did not appear"; exit 1; }
read_client
row_shot row-before || fail "the record dialog before the month"

if ! { open_menu 300 200 && choose_item 1 && retry 5 window_at 0 0 1022 730; }; then
    fail "ゲームスタート could not be chosen"
    exit 1
fi
read_client

# Plays until the month is written or 20 minutes have gone; a field choice
# that finds no card to click five times running ends it sooner.
plays=0
choices=0
misses=0
hand_month=
limit=$(( $(date +%s) + 1200 ))
while ! month_recorded && [ "$(date +%s)" -lt "$limit" ]; do
    if hand_prompt; then
        read_board
        slot=$(playable_hand_slot)
        [ -n "$slot" ] ||
            slot=$(awk '$1 < 8 && NF == 5 { print $1; exit }' "$art/board.txt")
        [ -n "$slot" ] || { sleep 0.5; continue; }
        hand_month=$(slot_of "$slot" | cut -d' ' -f4)
        echo "hand: slot $slot card $(slot_of "$slot" | cut -d' ' -f4-)" >>"$art/plays.txt"
        click_slot "$slot"
        plays=$((plays + 1))
        sleep 1
    elif field_prompt; then
        if choose_field_card "$hand_month"; then
            choices=$((choices + 1))
            misses=0
        else
            misses=$((misses + 1))
            [ $misses -lt 5 ] || break
        fi
        sleep 1
    else
        sleep 0.5
    fi
done

if month_recorded; then
    pass "a month played by clicking: $plays hand plays, $choices field choices; result.dat written"
    first=$(head -c 1 "$run/result.dat")
    case "$first" in
    [0-2] | [4-6]) pass "朱雀's first record code is a settled month ($first)" ;;
    *) fail "朱雀's first record code is $first" ;;
    esac
    check "result.dat: 80 lines" 80 "$(grep -c $'\r$' "$run/result.dat")"
    # The month question boxes are gone once the next day's prompt shows.
    retry 60 either_prompt
    if row_shot row-after; then
        changed=$(compare -metric AE "$art/row-before.png" "$art/row-after.png" null: 2>&1)
        [ "${changed%% *}" -gt 50 ] 2>/dev/null &&
            pass "the record dialog shows the month in 朱雀's row ($changed pixels changed)" ||
            fail "朱雀's row in the record dialog did not change ($changed)"
    else
        fail "the record dialog after the month"
    fi
else
    fail "no month was settled ($plays hand plays; $misses field choices in a row found no card)"
fi

# Closing through the close box, answering the questions that come.
read -r bx by < <(probe closebox)
if ask_to_close 10; then
    press_button 確認 6
    if await_exit 60; then
        check "the game closes; exit code" 0 "$exit_code"
    else
        fail "the program did not end after the close question"
    fi
else
    fail "no close question"
fi

finish
