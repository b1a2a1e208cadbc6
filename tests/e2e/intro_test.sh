#!/usr/bin/env bash
# The shipped intro movie in a real X window: with "Intro = 1" it fills the
# loading window, grown to the whole desktop, with pictures and sound;
# Escape ends it early; closing the window ends the game without saving;
# left alone it ends by itself after 22 s.
#
#   tests/e2e/intro_test.sh BUILD/nebulor BUILD/nebulor-save-info
#
# harness.sh runs it under Xvfb in a namespace of its own and keeps a
# screenshot of every step (NEBULOR_E2E_KEEP=1 keeps them after a pass).
set -euo pipefail

# shellcheck source=tests/e2e/harness.sh
source "$(dirname "$(realpath "$0")")/harness.sh"

build=$(dirname "$game")
close_request=$build/nebulor-close-request
[ -x "$close_request" ] || { log "$close_request is missing (it is built with the game)"; exit 2; }
[ -s "$build/Intro.mpg" ] || { log "$build/Intro.mpg is missing (the forge renders it)"; exit 2; }
cp "$build/Intro.mpg" "$run/Intro.mpg"
read -r desktop_w desktop_h <<<"${E2E_SCREEN/x/ }"

# The settings of a returning player who has the intro on (no first-start message).
write_settings() {
    mkdir -p "$folder"
    printf '[Options]\r\nSoundMusik = 70\r\nSoundSFX = 70\r\nIntro = %s\r\nFunmodus = 0\r\nGrafik = 1\r\nLang = 0\r\n' \
        "$1" >"$settings_file"
}

# Waits for the loading window of copy $1 grown to the whole desktop; sets
# WIN and INTRO_SEEN (wall-clock milliseconds when it was first seen).
wait_intro_window() {
    local deadline=$((SECONDS + 40)) id box
    while [ "$SECONDS" -lt "$deadline" ]; do
        if box=$(any_message_box); then fail "unexpected message box: $box"; fi
        process_running "$1" || fail "the game ended before its intro showed"
        for id in $(viewable_windows); do
            [ "$(window_title "$id" || true)" = Nebulor ] && geometry "$id" &&
                [ "$WW" = "$desktop_w" ] && [ "$WH" = "$desktop_h" ] && [ "$WX" = 0 ] && [ "$WY" = 0 ] &&
                { WIN=$id; INTRO_SEEN=$(now_ms); return 0; }
        done
        sleep 0.05
    done
    fail "no loading window over the whole desktop"
}

# Screenshots while the movie plays are BMP files: PNG takes seconds to
# write on a busy machine, and the steps here are timed.
keep_shot() {
    shot_number=$((shot_number + 1))
    cp "$1" "$shots/$(printf '%02d' "$shot_number")-$2.bmp"
}

# Fails unless the display shows a moving picture with colour in it, edge
# to edge; keeps the second picture as the step's screenshot.
check_movie_shows() {
    shot_area "$work/movie-a.bmp" 0 0 "$desktop_w" "$desktop_h"
    sleep 1
    shot_area "$work/movie-b.bmp" 0 0 "$desktop_w" "$desktop_h"
    keep_shot "$work/movie-b.bmp" "$1"
    local moved brightness edge x
    moved=$(changed_pixels "$work/movie-a.bmp" "$work/movie-b.bmp")
    [ "$moved" -gt $((desktop_w * desktop_h / 10)) ] || fail "the movie does not move ($moved pixels changed in a second)"
    read -ra brightness <<<"$(mean_colour "$work/movie-b.bmp")"
    [ $((brightness[0] + brightness[1] + brightness[2])) -gt 45 ] || fail "the movie is dark: ${brightness[*]}"
    # Scaled to the desktop's width: its left and right edges are picture too.
    for x in 0 $((desktop_w - 40)); do
        convert "$work/movie-b.bmp" -crop "40x$((desktop_h - 200))+$x+100" +repage "$work/edge.bmp"
        read -ra edge <<<"$(mean_colour "$work/edge.bmp")"
        [ $((edge[0] + edge[1] + edge[2])) -gt 15 ] || fail "the movie leaves the desktop's edge at x $x black"
    done
}

# Sleeps until the wall clock reaches the given millisecond.
sleep_until() {
    local wait_ms=$(($1 - $(now_ms)))
    [ "$wait_ms" -le 0 ] || sleep "$((wait_ms / 1000)).$(printf '%03d' $((wait_ms % 1000)))"
}

# Root-mean-square level of raw 16-bit samples between two byte offsets of a file.
sound_level() {
    od -An -v -t d2 -j "$2" -N $(($3 - $2)) "$1" |
        awk '{ for (i = 1; i <= NF; i++) { s += $i * $i; n++ } } END { printf "%d\n", n ? sqrt(s / n) : 0 }'
}

step_escape() {
    begin "the intro fills the desktop; Escape ends it"
    write_settings 1
    start_copy
    local copy=$PID
    wait_intro_window "$copy"
    sleep 1
    check_movie_shows intro-playing
    grep -q '^Intro = 0' "$settings_file" || fail "the intro was not marked as shown: $(cat "$settings_file")"
    xdotool mousemove $((desktop_w / 2)) $((desktop_h / 2))
    sleep 0.1
    local pressed
    pressed=$(now_ms)
    xdotool key Escape
    wait_loading_window
    local now took
    now=$(now_ms)
    took=$((now - pressed))
    # Well before the movie's own end, so it was Escape that ended it.
    if [ "$took" -ge 5000 ] || [ $((now - INTRO_SEEN)) -ge 20000 ]; then
        fail "the intro ended $took ms after Escape, $((now - INTRO_SEEN)) ms after it began"
    fi
    log "Escape ended the intro in $took ms"
    skip_jingle
    wait_main_window 40
    quit_after_intro "$copy"
    grep -q '^Intro = 1' "$settings_file" || fail "the shutdown did not write the intro back on: $(cat "$settings_file")"
}

# Ends the game with Escape in the main window: exit code 0 and a save.
quit_after_intro() {
    local code=0
    layout_point "$MAIN" 640 400
    xdotool mousemove "$PX" "$PY"
    sleep 0.1
    xdotool key Escape
    wait_exit "$1" 30 || code=$?
    [ "$code" -eq 0 ] || fail "the game ended with exit code $code"
    "$save_info" "$save_file" >/dev/null || fail "no save after a normal end"
}

step_close() {
    begin "closing the intro's window ends the game without saving"
    write_settings 1
    local save_before settings_before code=0
    save_before=$(md5sum <"$save_file")
    start_copy
    local copy=$PID
    wait_intro_window "$copy"
    sleep 1
    settings_before=$(md5sum <"$settings_file")
    "$close_request" "$WIN" || fail "could not send the close request"
    wait_exit "$copy" 10 || code=$?
    [ "$code" -ne 124 ] || fail "the game still runs 10 s after its window was closed"
    [ "$code" -eq 0 ] || fail "the game ended with exit code $code"
    find_window '^Nebulor v2\.5 - ' >/dev/null && fail "a main window opened after the close"
    [ "$(md5sum <"$save_file")" = "$save_before" ] || fail "the save was written"
    [ "$(md5sum <"$settings_file")" = "$settings_before" ] || fail "the settings were written"
    grep -q '^Intro = 0' "$settings_file" || fail "the intro was not marked as shown: $(cat "$settings_file")"
}

step_timeout() {
    begin "left alone, the intro plays with sound and ends by itself after 22 s"
    write_settings 1
    local sound=$work/sound.raw
    : >"$sound"
    SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$sound start_copy
    local copy=$PID
    wait_intro_window "$copy"
    # The flight's sound, two to five seconds in (the disk driver writes in real time).
    sleep 2
    local from to level
    from=$(stat -c %s "$sound")
    sleep 3
    to=$(stat -c %s "$sound")
    [ "$to" -gt $((from + 100000)) ] || fail "the sound output did not run ($from to $to bytes)"
    level=$(sound_level "$sound" $((from / 4 * 4)) $((to / 4 * 4)))
    [ "$level" -gt 300 ] || fail "the intro is silent (level $level)"
    log "sound level $level during the flight"
    sleep_until $((INTRO_SEEN + 17000))
    shot_area "$work/logo.bmp" 0 0 "$desktop_w" "$desktop_h"
    keep_shot "$work/logo.bmp" intro-logo
    # The movie lasts 20 s and ends on a still picture, which the window
    # keeps showing until the 22 s are up (no screenshots here: they are
    # slow on a busy machine, and the end is timed).
    sleep_until $((INTRO_SEEN + 21000))
    xwininfo -id "$WIN" >/dev/null 2>&1 || fail "the intro's window went before 21 s"
    local deadline=$((SECONDS + 10))
    while xwininfo -id "$WIN" >/dev/null 2>&1; do
        [ "$SECONDS" -lt "$deadline" ] || fail "the intro did not end by itself"
        sleep 0.05
    done
    local took=$(($(now_ms) - INTRO_SEEN))
    [ "$took" -le 23500 ] || fail "the intro ended after $took ms, not 22 s"
    log "the intro ended by itself after $took ms"
    wait_loading_window
    skip_jingle
    wait_main_window 40
    quit_after_intro "$copy"
}

step_escape
step_close
step_timeout
log "all steps passed"
