# shellcheck shell=bash disable=SC2154
# The steps of window_test.sh, in the order a player meets them.

# The most spins played while waiting for a win (on level 1 about one spin in
# five wins: forty spins without one happen once in ten thousand runs).
MaxSpins=40

step_first_start() {
    begin "first start: the settings message"
    start_copy
    first=$PID
    wait_window '^Error$' 20 dialog || fail "no 'Error' box about the missing settings"
    error_box=$WIN
    geometry "$error_box"
    error_box_width=$WW
    shot settings-missing
    [ ! -e "$settings_file" ] || fail "the settings file exists before the message was answered"
    click_box_ok "$error_box" || fail "the 'Error' box did not close on OK"
    local deadline=$((SECONDS + 10))
    until [ -s "$settings_file" ]; do
        [ "$SECONDS" -lt "$deadline" ] || fail "no settings file after the message"
        sleep 0.1
    done

    begin "first start: loading window, intro jingle, main window"
    wait_loading_window
    shot loading-window
    wait_main_window 40
    shot main-window
    [[ $TITLE == "Nebulor v2.5 - Punkte:"* ]] || fail "title is not German: '$TITLE'"
    local info
    info=$("$save_info" "$save_file") || fail "no new-player save at start-up"
    grep -qx 'points 1000' <<<"$info" || fail "the new player's save does not hold 1000: $info"
}

step_first_spin() {
    begin "first spin: the bid leaves the points"
    # The payline demo runs first; a click ends it. The pointer rests on the
    # start button from here on, so that its look is compared like for like.
    read_title "$MAIN" || fail "unreadable title '$TITLE'"
    local before=$TITLE_POINTS deadline=$((SECONDS + 30))
    percent_point "$MAIN" 70 91
    xdotool mousemove "$PX" "$PY"
    sleep 0.3
    look_idle=$(start_button_look)
    while :; do
        [ "$SECONDS" -lt "$deadline" ] || fail "the points never dropped after clicks on SPIN"
        click_start
        sleep 0.3
        read_title "$MAIN" || fail "unreadable title '$TITLE'"
        [ "$TITLE_POINTS" -lt "$before" ] && break
        sleep 0.7
    done
    look_turning=$(start_button_look)
    shot first-spin
    [ "$TITLE_BID" -eq 10 ] || fail "the bid is $TITLE_BID hundredths, not 0.10"
    [ $((before - TITLE_POINTS)) -eq "$TITLE_BID" ] ||
        fail "points went from $before to $TITLE_POINTS for a bid of $TITLE_BID"
    [ "$(colour_distance "$look_idle" "$look_turning")" -gt 300 ] ||
        fail "the start button looks the same while the reels turn ($look_idle / $look_turning)"
}

# Waits for the reels to stop and for the title to rest for QUIET_MS.
wait_spin_over() {
    local deadline=$((SECONDS + 30))
    while reels_turning; do
        [ "$SECONDS" -lt "$deadline" ] || fail "the reels did not stop within 30 s"
        sleep 0.2
    done
    wait_title_stable "$MAIN" "$1" 30 || fail "the title did not settle after the spin"
    read_title "$MAIN" || fail "unreadable title '$TITLE'"
}

# Waits until the payline demo of a start is over: the bid shows all ten lines.
wait_demo_over() {
    local deadline=$((SECONDS + 30))
    until read_title "$MAIN" && [ "$TITLE_BID" -eq 10 ]; do
        [ "$SECONDS" -lt "$deadline" ] || fail "the payline demo did not end: '$TITLE'"
        sleep 0.2
    done
    wait_title_stable "$MAIN" 1000 10 || fail "the title did not settle after the payline demo"
    read_title "$MAIN" || fail "unreadable title '$TITLE'"
}

step_collect_win() {
    begin "spin until a win shows in the title, then collect it"
    local spins=1 tries
    while :; do
        # A win shows in the title as soon as the reels stop (a second later
        # when the free-game animations hold the presentation).
        wait_spin_over 2000
        if [ "$TITLE_WIN" -gt 0 ]; then
            # Its lines are paid one per second: let them all arrive.
            wait_spin_over 2500
            break
        fi
        [ "$spins" -lt "$MaxSpins" ] || fail "no win in $MaxSpins spins"
        tries=0
        until reels_turning; do
            tries=$((tries + 1))
            [ "$tries" -le 10 ] || fail "a click on SPIN did not start the reels"
            click_start
            sleep 0.4
        done
        spins=$((spins + 1))
    done
    log "a win of $TITLE_WIN hundredths after $spins spins"
    shot win-shown
    local points=$TITLE_POINTS win=$TITLE_WIN deadline=$((SECONDS + 40)) last_click=0
    # A big win is counted up for ten seconds before a click can collect it.
    while :; do
        [ "$SECONDS" -lt "$deadline" ] || fail "the win of $win was not collected (title '$TITLE')"
        read_title "$MAIN" || fail "unreadable title '$TITLE'"
        if [ "$TITLE_POINTS" -eq "$points" ] && [ "$TITLE_WIN" -eq "$win" ]; then
            if [ $((SECONDS - last_click)) -ge 3 ]; then
                click_start
                last_click=$SECONDS
            fi
        elif [ "$TITLE_WIN" -eq 0 ]; then
            break
        fi
        sleep 0.2
    done
    wait_title_stable "$MAIN" 2000 20 || fail "the title did not settle after collecting"
    read_title "$MAIN"
    shot win-collected
    [ "$TITLE_POINTS" -eq $((points + win)) ] ||
        fail "collecting $win took the points from $points to $TITLE_POINTS"
    reels_turning && fail "the click that collected also started the reels"
    return 0
}

step_paytable() {
    begin "paytable page and back"
    park_pointer
    # The counters band (layout 100..800 x 665..725) and the reel window.
    layout_point "$MAIN" 100 665
    band_area=("$PX" "$PY" 700 60)
    layout_point "$MAIN" 130 160
    reels_area=("$PX" "$PY" 970 450)
    shot_area "$work/band-before.png" "${band_area[@]}"
    shot_area "$work/reels-before.png" "${reels_area[@]}"
    percent_point "$MAIN" 10 11
    click_at "$PX" "$PY"
    park_pointer
    # Most of the band and the reel window change for the page.
    wait_area_change "$work/band-before.png" "${band_area[@]}" 14000 5 ||
        fail "the paytable page did not replace the counters ($CHANGED pixels changed)"
    shot_area "$work/reels-page.png" "${reels_area[@]}"
    [ "$(changed_pixels "$work/reels-before.png" "$work/reels-page.png")" -gt 200000 ] ||
        fail "the paytable page did not replace the reels"
    shot paytable-page
    percent_point "$MAIN" 13 91
    click_at "$PX" "$PY"
    park_pointer
    wait_area_same "$work/band-before.png" "${band_area[@]}" 400 5 ||
        fail "the counters did not come back after BACK ($CHANGED pixels differ)"
    shot paytable-closed
    read_title "$MAIN" || fail "unreadable title '$TITLE' after the paytable page"
}

# Escape, exit code 0, and the save holding the points of the last title.
quit_and_check_save() {
    local pid=$1 code=0 info
    read_title "$MAIN" || fail "unreadable title '$TITLE'"
    local points=$TITLE_POINTS
    park_pointer
    xdotool key Escape
    wait_exit "$pid" 30 || code=$?
    [ "$code" -ne 124 ] || fail "the game still runs 30 s after Escape"
    [ "$code" -eq 0 ] || fail "the game ended with exit code $code"
    info=$("$save_info" "$save_file") || fail "the save file does not decode: $info"
    # A win still pending when Escape came is collected by the shutdown: the
    # save may hold more than the title showed, never less.
    local saved
    saved=$(awk '$1 == "points" { print $2 }' <<<"$info")
    [ -n "$saved" ] && [ "$saved" -ge "$points" ] || fail "the title showed $points, the save holds: $info"
    log "saved $points hundredths"
}

step_quit() {
    begin "Escape ends the game and saves the points"
    quit_and_check_save "$first"
}

step_second_start() {
    begin "second start: no message, the same points"
    local saved
    saved=$("$save_info" "$save_file" | awk '$1 == "points" { print $2 }')
    start_copy
    second=$PID
    skip_jingle
    wait_main_window 30
    shot second-start
    [ "$TITLE_POINTS" -eq "$saved" ] || fail "the second start shows $TITLE_POINTS, the save held $saved"
    [[ $TITLE == "Nebulor v2.5 - Punkte:"* ]] || fail "title is not German: '$TITLE'"
}

step_english() {
    begin "switch to English in the settings window"
    geometry "$MAIN"
    local mx=$WX my=$WY
    # "Options" on the menu strip; its drop-down opens below the strip.
    xdotool mousemove $((mx + 30)) $((my + 11))
    sleep 0.3
    local dropdown=("$mx" $((my + 22)) 150 36)
    shot_area "$work/menu-closed.png" "${dropdown[@]}"
    xdotool click 1
    wait_area_change "$work/menu-closed.png" "${dropdown[@]}" 1000 5 || fail "the Options menu did not open"
    shot options-menu
    click_at $((mx + 35)) $((my + 37))  # its item "Settings"
    wait_window '^Settings$' 10 || fail "no settings window"
    local settings=$WIN
    geometry "$settings"
    local sx=$WX sy=$WY
    shot settings-window
    local options_area=($((sx + 145)) $((sy + 105)) 90 50)
    shot_area "$work/options-before.png" "${options_area[@]}"
    click_at $((sx + 160)) $((sy + 140))  # "English"
    wait_area_change "$work/options-before.png" "${options_area[@]}" 50 5 ||
        fail "the language options did not change on a click on 'English'"
    shot english-chosen
    click_at $((sx + 165)) $((sy + 180))  # "OK"
    wait_window '^Info$' 10 dialog || fail "no 'Info' box after OK"
    local box=$WIN
    geometry "$box"
    info_box_width=$WW
    shot restart-message
    click_box_ok "$box" || fail "the 'Info' box did not close on OK"

    begin "the game restarts by itself: English"
    # The same process saves, closes and starts again: the loading window
    # comes back, then the main window in the new language.
    local deadline=$((SECONDS + 30))
    while find_window '^Nebulor v2\.5 - ' >/dev/null; do
        [ "$SECONDS" -lt "$deadline" ] || fail "the main window did not close after the settings were confirmed"
        process_running "$second" || fail "the game ended instead of restarting"
        sleep 0.1
    done
    grep -q '^Lang = 1' "$settings_file" || fail "the settings file does not hold English: $(cat "$settings_file")"
    process_running "$second" || fail "the game ended instead of restarting"
    skip_jingle
    wait_main_window 30
    process_running "$second" || fail "the game ended instead of restarting"
    third=$second
    wait_demo_over
    shot english-start
    [[ $TITLE == "Nebulor v2.5 - Points:"* ]] || fail "title is not English: '$TITLE'"
}

step_second_copy() {
    begin "a second copy while one runs"
    local title_before=$TITLE main_before=$MAIN sums_before
    sums_before=$(md5sum "$save_file" "$settings_file")
    start_copy
    local copy=$PID
    wait_window '^$' 20 dialog || fail "no message box from the second copy"
    local box=$WIN
    geometry "$box"
    shot already-started
    # The boxes are as wide as their one line: the widths of the two boxes seen
    # so far ("Settings not found! Load Defaults", 33 characters, and "the game
    # restarts to complete the procedure.", 44) give the width of a character
    # and the margins, and so the width "Nebulor 2 Already started" must have.
    local char=$(((info_box_width - error_box_width) / 11))
    local margins=$((error_box_width - 33 * char))
    local expected=$((25 * char + margins))
    [ "$char" -ge 4 ] && [ $((WW - expected)) -le "$char" ] && [ $((expected - WW)) -le "$char" ] ||
        fail "the box is $WW pixels wide; 'Nebulor 2 Already started' takes $expected"
    click_box_ok "$box" || fail "the box of the second copy did not close on OK"
    local code=0
    wait_exit "$copy" 20 || code=$?
    [ "$code" -ne 124 ] || fail "the second copy did not end after its message"
    [ "$code" -eq 0 ] || fail "the second copy ended with exit code $code"

    begin "the first copy runs on untouched"
    process_running "$third" || fail "the running copy ended"
    MAIN=$(find_window '^Nebulor v2\.5 - ') || fail "the running copy's window is gone"
    [ "$MAIN" = "$main_before" ] || fail "the main window changed from $main_before to $MAIN"
    read_title "$MAIN" || fail "unreadable title '$TITLE'"
    [ "$TITLE" = "$title_before" ] || fail "the title changed from '$title_before' to '$TITLE'"
    [ "$(md5sum "$save_file" "$settings_file")" = "$sums_before" ] ||
        fail "the second copy changed the save or the settings"
    # It still answers the mouse: a click on the bet counter doubles the bid.
    # An earlier spin may have won free games, whose bid is fixed: then a
    # click on START plays the series on, and the title moves.
    local bid=$TITLE_BID deadline=$((SECONDS + 10))
    if [[ $TITLE == *" von "* ]]; then
        percent_point "$MAIN" 70 91
        click_at "$PX" "$PY"
        until read_title "$MAIN" && [ "$TITLE" != "$title_before" ]; do
            [ "$SECONDS" -lt "$deadline" ] || fail "the free games did not answer: '$TITLE'"
            sleep 0.1
        done
    else
        percent_point "$MAIN" 53 90
        click_at "$PX" "$PY"
        until read_title "$MAIN" && [ "$TITLE_BID" -eq $((bid * 2)) ]; do
            [ "$SECONDS" -lt "$deadline" ] || fail "the bet counter did not answer: '$TITLE'"
            sleep 0.1
        done
    fi
    shot still-running
    quit_and_check_save "$third"
}

step_terminate() {
    begin "SIGTERM ends the game through its shutdown"
    start_copy
    local copy=$PID
    skip_jingle
    wait_main_window 30
    wait_demo_over
    read_title "$MAIN" || fail "unreadable title '$TITLE'"
    local points=$TITLE_POINTS before info code=0
    before=$(stat -c %Y.%N "$save_file" 2>/dev/null || true)
    sleep 1.1  # the save's time stamp must be able to change
    kill -TERM "$copy"
    wait_exit "$copy" 30 || code=$?
    [ "$code" -ne 124 ] || fail "the game still runs 30 s after SIGTERM"
    [ "$code" -eq 0 ] || fail "the game ended with exit code $code after SIGTERM"
    [ "$(stat -c %Y.%N "$save_file")" != "$before" ] || fail "SIGTERM ended the game without saving"
    info=$("$save_info" "$save_file") || fail "the save file does not decode: $info"
    # A win still pending when Escape came is collected by the shutdown: the
    # save may hold more than the title showed, never less.
    local saved
    saved=$(awk '$1 == "points" { print $2 }' <<<"$info")
    [ -n "$saved" ] && [ "$saved" -ge "$points" ] || fail "the title showed $points, the save holds: $info"
}

# Every step in order, or those NEBULOR_E2E_STEPS names (e.g. "first_start
# first_spin" for a quick look at an installed game).
run_steps() {
    local name steps=(first_start first_spin collect_win paytable quit second_start english second_copy
        terminate)
    [ -n "${NEBULOR_E2E_STEPS:-}" ] && read -ra steps <<<"$NEBULOR_E2E_STEPS"
    for name in "${steps[@]}"; do
        declare -F "step_$name" >/dev/null || { log "no step '$name' (NEBULOR_E2E_STEPS)"; exit 2; }
    done
    for name in "${steps[@]}"; do "step_$name"; done
}
