#!/bin/bash
# What the Wine tests share: the Wine prefix and the virtual display, a
# probe that reads windows back through the wide API, clicks and
# screenshots, the popup menu, message boxes, and reading the board from a
# screenshot. Sourced with the test's arguments:
#
#   . driver.sh EXE_DIR PROBE_EXE ARTEFACT_DIR
#
# EXE_DIR holds koikoi.exe and its data files; PROBE_EXE is the helper that
# reads windows back through the wide API and stands in for the browser.
# Screenshots are kept in ARTEFACT_DIR. A test ends with `finish`.

exe_dir=$(cd "$1" && pwd)
probe_src=$2
art=$3
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
screen="python3 $here/screen.py"
mkdir -p "$art"
rm -f "$art"/*.png "$art"/*.txt

. "$here/../../tools/wine-env.sh"
koikoi_wine_env test
koikoi_wine_prepare || { echo "FAIL: the Wine prefix could not be prepared"; exit 1; }
koikoi_xvfb_start || { echo "FAIL: no virtual display"; exit 1; }

failures=0
game_pid=
cleanup() {
    if [ -n "$game_pid" ] && kill -0 "$game_pid" 2>/dev/null; then
        kill "$game_pid" 2>/dev/null
    fi
    wineserver -k 2>/dev/null
    koikoi_xvfb_stop
}
trap cleanup EXIT

pass() { echo "PASS [${SECONDS}s]: $*"; }
fail() { echo "FAIL [${SECONDS}s]: $*"; failures=$((failures + 1)); }
# finish: the test's verdict, from the checks that failed.
finish() {
    echo "screenshots in $art"
    if [ "$failures" -gt 0 ]; then
        echo "$failures check(s) failed"
        exit 1
    fi
    echo "all checks passed"
}
check() {  # check DESCRIPTION EXPECTED ACTUAL
    if [ "$2" = "$3" ]; then pass "$1"; else fail "$1 (expected '$2', got '$3')"; fi
}

# The helper runs from the prefix's C: drive, where the .html association points.
test_dir=$WINEPREFIX/drive_c/koikoi-test
mkdir -p "$test_dir"
cp "$probe_src" "$test_dir/probe.exe"
cp "$probe_src" "$test_dir/browser.exe"
rm -f "$test_dir/opened.txt"
probe() { wine "$test_dir/probe.exe" "$@" 2>/dev/null | tr -d '\r'; }

# retry SECONDS COMMAND...: runs COMMAND until it succeeds or time runs out.
retry() {
    local limit=$(( $(date +%s) + $1 ))
    shift
    until "$@"; do
        [ "$(date +%s)" -ge "$limit" ] && return 1
        sleep 0.2
    done
}

menu_gone() { ! probe menu >/dev/null; }
window_at() { [ "$(probe window)" = "$*" ]; }
has_button() { probe button "$1" "$2" >/dev/null; }
process_gone() { ! kill -0 "$game_pid" 2>/dev/null; }
dialog_gone() { ! probe dialog >/dev/null; }
close_question() { has_button 確認 6; }
button_gone() { ! has_button "$1" "$2"; }
# A message box's OK button is IDOK or, in some layouts, IDCANCEL.
ok_button() { has_button "$1" 1 && echo 1 || { has_button "$1" 2 && echo 2; }; }
has_ok_button() { [ -n "$(ok_button "$1")" ]; }

# shot NAME: a screenshot of the whole display, kept as an artefact; numbered
# in order, or one file a name when shot_numbered is no (long runs).
shot_n=0
shot_numbered=${shot_numbered:-yes}
shot() {
    if [ "$shot_numbered" = yes ]; then
        shot_n=$((shot_n + 1))
        last_shot=$art/$(printf '%02d' $shot_n)-$1.png
    else
        last_shot=$art/last-$1.png
    fi
    import -window root "$last_shot"
}

# press_button CAPTION ID: clicks the button until its box has gone; a click
# on a window that is not yet active is sometimes lost under Wine without a
# window manager.
press_button() {
    local at attempt
    for attempt in 1 2 3; do
        at=$(probe button "$1" "$2") || return 0
        click $at
        retry 2 button_gone "$1" "$2" && return 0
    done
    return 1
}

click() {  # click X Y [BUTTON], screen coordinates
    xdotool mousemove "$1" "$2"
    sleep 0.15
    xdotool mousemove "$(( $1 + 1 ))" "$2"
    sleep 0.1
    xdotool click "${3:-1}"
}

# Client-area origin of the main window, in screen coordinates: $ox $oy.
read_client() { read -r ox oy cw ch < <(probe client) && [ -n "${ch:-}" ]; }

# Answers any question of the game that may come up while it plays on: no
# koi-koi, no new year, and OK to the notice of how to end.
answer_game_boxes() {
    local boxes at
    boxes=$(probe boxes)
    [ -z "$boxes" ] && return 0
    for answer in "意思確認 7" "継続確認 7" "終了方法 1" "終了方法 2"; do
        set -- $answer
        case "$boxes" in *"$1"*) ;; *) continue ;; esac
        has_button "$1" "$2" && press_button "$1" "$2"
    done
    return 0
}

# ask_to_close SECONDS: clicks the close box at ($bx, $by), read before with
# probe closebox, until the close question shows; a click on a window that is
# not yet active is sometimes lost. A click made while a game step pauses
# waits in the queue until the pause drains it.
ask_to_close() {
    click "$bx" "$by"
    retry "$1" close_question || { click "$bx" "$by"; retry "$1" close_question; }
}

# await_exit SECONDS: answers the game's questions and the closing notice
# until the process has ended; its exit code is then in $exit_code.
await_exit() {
    exited() {
        answer_game_boxes
        has_ok_button 注意 && press_button 注意 "$(ok_button 注意)"
        process_gone
    }
    retry "$1" exited || return 1
    wait "$game_pid"
    exit_code=$?
}

sheet=$exe_dir/hanaX.bmp
layout=$exe_dir/allocation.dat

# A fresh copy of the program and its data for every run; fresh_run makes
# another for a further run of the same test.
run=$art/run
fresh_run() {
    chmod -R u+w "$run" 2>/dev/null
    rm -rf "$run"
    mkdir -p "$run"
    cp "$exe_dir/koikoi.exe" "$exe_dir/allocation.dat" "$exe_dir/hanaX.bmp" "$exe_dir/koikoi.html" "$run/"
}
fresh_run
# records FIRST_CODE: a record file of 80 lines of 60 codes, CR LF; the first
# code is FIRST_CODE and every other one 3 (no month).
records() {
    local line
    for line in $(seq 80); do
        if [ "$line" = 1 ]; then printf '%s' "$1"; else printf '3'; fi
        printf '3%.0s' $(seq 59)
        printf '\r\n'
    done
}

# launch_game_process: starts the program without waiting for its window
# (a message before the window exists holds it back).
launch_game_process() {
    (cd "$run" && exec wine koikoi.exe >>"$art/wine-output.txt" 2>&1) &
    game_pid=$!
}
start_game_process() {
    launch_game_process
    retry 30 probe title >/dev/null
}
# end_game_process: ends the program of this run without asking it, and
# waits until its window has gone, so the next run's window is not mistaken
# for it.
window_gone() { ! probe title >/dev/null; }
end_game_process() {
    if [ -n "$game_pid" ]; then
        kill "$game_pid" 2>/dev/null
        wait "$game_pid" 2>/dev/null
    fi
    game_pid=
    retry 10 window_gone
}

# expect_file_box WHAT TEXT: a message box with the caption "File Confirm"
# and TEXT shows; OK closes it.
expect_file_box() {
    if ! retry 20 has_ok_button "File Confirm"; then
        fail "$1: no File Confirm message"
        return 1
    fi
    # The box may be found a moment before its text is set.
    file_box_reads() { [ "$(probe text 'File Confirm')" = "$1" ]; }
    file_box_left() { ! file_box_reads "$1"; }
    retry 3 file_box_reads "$2"
    check "$1: the File Confirm message" "$2" "$(probe text 'File Confirm')"
    # Another file's message may follow with the same caption and its button
    # in the same place: OK is pressed until this text has gone, not the box.
    local attempt at
    for attempt in 1 2 3; do
        at=$(probe button "File Confirm" "$(ok_button 'File Confirm')") || return 0
        click $at
        retry 2 file_box_left "$2" && return 0
    done
    fail "$1: the message did not close"
}

# The guide page painted: its opponent line is red.
guide_painted() {
    shot guide
    [ "$($screen count "$last_shot" $((ox + 16)) $((oy + 326)) 574 17 255 0 0)" -gt 50 ]
}

# --- The popup menu -------------------------------------------------------
# open_menu X Y: right-clicks at client (X, Y); the menu's rectangle is then
# in $mx $my $mw $mh and "centre enabled" of each item in menu.txt.
open_menu() {
    # A click on a window that is not yet active is sometimes lost under Wine
    # without a window manager, so the right click is repeated until a menu shows.
    local tries=0
    until { click $((ox + $1)) $((oy + $2)) 3; retry 2 probe menu >/dev/null; }; do
        tries=$((tries + 1))
        [ $tries -ge 3 ] && return 1
    done
    read -r mx my mw mh < <(probe menu)
    shot menu
    $screen menu "$last_shot" "$mx" "$my" "$mw" "$mh" > "$art/menu.txt"
}
menu_state() { cut -d' ' -f2 "$art/menu.txt" | tr '\n' ' ' | sed 's/ $//'; }
menu_item_y() { sed -n "${1}p" "$art/menu.txt" | cut -d' ' -f1; }
choose_item() {  # choose_item N: clicks the Nth item of the open menu
    click $((mx + mw / 2)) "$(menu_item_y "$1")"
}
close_menu() {
    xdotool key Escape
    retry 3 menu_gone || { click 1270 1010; retry 3 menu_gone; }
}

# --- The board --------------------------------------------------------------
hand_prompt() {  # the hand-card prompt at (4, 442): the human is to choose a card
    answer_game_boxes
    shot board
    [ "$($screen same "$last_shot" $((ox + 4)) $((oy + 442)) "$sheet" 616 852 200 20)" = 1 ]
}
field_prompt() {
    [ "$($screen same "$last_shot" $((ox + 410)) $((oy + 216)) "$sheet" 616 892 200 20)" = 1 ]
}
either_prompt() { hand_prompt || field_prompt; }

read_board() { $screen board "$last_shot" "$ox" "$oy" "$sheet" "$layout" > "$art/board.txt"; }
slot_of() { awk -v s="$1" '$1 == s' "$art/board.txt"; }
# A hand slot whose card's month lies on the field other than exactly twice,
# so the play goes on without a field choice.
playable_hand_slot() {
    awk '$1 < 8 && NF == 5 { hand[$1] = $4 }
         $1 >= 160 && $1 < 184 && NF == 5 { field[$4]++ }
         END { for (s = 0; s < 8; s++) if (s in hand && field[hand[s]] != 2) { print s; exit } }' \
        "$art/board.txt"
}
click_slot() {  # click_slot SLOT: the middle of the slot's card cell
    local line x y
    line=$(slot_of "$1")
    x=$(echo "$line" | cut -d' ' -f2)
    y=$(echo "$line" | cut -d' ' -f3)
    click $((ox + x + 31)) $((oy + y + 52))
}
# choose_field_card [MONTH]: at the field prompt, clicks the first field card
# of the month of the drawn card (framed in the drawn slot) or, before the
# draw, of MONTH: that of the hand card just clicked, which had two matches.
choose_field_card() {
    local month slot
    read_board
    month=$(slot_of 208 | awk 'NF == 5 { print $4 }')
    month=${month:-${1:-}}
    slot=$(awk -v m="$month" '$1 >= 160 && $1 < 184 && NF == 5 && $4 == m { print $1; exit }' \
        "$art/board.txt")
    [ -n "$slot" ] && click_slot "$slot"
}
choose_field_if_asked() { ! field_prompt || choose_field_card; }
