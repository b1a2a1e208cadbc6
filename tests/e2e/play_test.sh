#!/usr/bin/env bash
# Playing as a player does in a real X window, with real xdotool input: the
# main window's first visible frame is the game, a real double-click on SPIN
# starts autoplay (which then spins by itself) and a click stops it, a window
# resized past its limits is held to them, a press on TAKE that comes just
# after the ladder ran out of time buys no spin, the level-up message shows
# once the press has collected the scatters' win, and twenty seconds of
# random single, double and triple clicks leaves a game that quits and keeps
# its points.
#
#   tests/e2e/play_test.sh BUILD/nebulor BUILD/nebulor-save-info
set -euo pipefail

E2E_SERVERNUM=${E2E_SERVERNUM:-143}
# shellcheck source=tests/e2e/harness.sh
source "$(dirname "$(realpath "$0")")/harness.sh"

begin "a returning player; the first visible frame of the main window"
mkdir -p "$folder"
printf '[Options]\nSoundMusik = 50\nSoundSFX = 60\nIntro = 0\nFunmodus = 0\nGrafik = 1\nLang = 0\n' >"$settings_file"
start_copy
game_pid=$PID
skip_jingle
# Poll for the main window as fast as the tools allow and look at it the
# moment it is viewable: it must already show the game, never black.
deadline=$((SECONDS + 30))
MAIN=""
while [ -z "$MAIN" ]; do
    [ "$SECONDS" -lt "$deadline" ] || fail "no main window"
    for id in $(viewable_windows); do
        geometry "$id" || continue
        [ "$WW" -ge 1000 ] && [ "$WH" -ge 600 ] && { MAIN=$id; break; }
    done
done
import -window root -crop "${WW}x$((WH - 22))+$WX+$((WY + 22))" +repage "$work/first.png" 2>/dev/null
cp "$work/first.png" "$shots/first-visible-frame.png"
first=$(mean_colour "$work/first.png")
[ "$(colour_distance "$first" "0 0 0")" -gt 300 ] || fail "the first visible frame is black ($first)"
wait_main_window 20
geometry "$MAIN"
[ "$WW" -le 1280 ] && [ "$WH" -le 770 ] || fail "the window opened at ${WW}x$WH"

begin "a window manager that ignores the size limits"
xdotool windowsize "$MAIN" 1500 950
sleep 1
geometry "$MAIN"
[ "$WW" -le 1280 ] && [ "$WH" -le 770 ] || fail "the window stayed at ${WW}x$WH, past its limits"
shot resized

# Ends the payline demo and waits for the full bid of ten lines.
percent_point "$MAIN" 50 50
click_at "$PX" "$PY"
until read_title "$MAIN" && [ "$TITLE_BID" -eq 10 ]; do sleep 0.2; done
wait_title_stable "$MAIN" 1000 20 || fail "the title did not settle"

begin "a real double-click on SPIN starts autoplay"
read_title "$MAIN"
before=$TITLE_POINTS
percent_point "$MAIN" 70 91
xdotool mousemove "$PX" "$PY"
sleep 0.3
xdotool click --repeat 2 --delay 80 1
# Autoplay spins every two seconds by itself: with no further input the
# points fall by the bid at least three times (wins may add some back, so
# count the falls of the title).
falls=0 last=$before deadline=$((SECONDS + 25))
while [ "$falls" -lt 3 ]; do
    [ "$SECONDS" -lt "$deadline" ] || fail "autoplay made $falls spins in 25 s after the double-click"
    read_title "$MAIN" || fail "unreadable title '$TITLE'"
    [ "$TITLE_POINTS" -lt "$last" ] && falls=$((falls + 1))
    last=$TITLE_POINTS
    sleep 0.1
done
shot autoplay

begin "a click stops autoplay"
# (A press just after autoplay collected a win is ignored like any early
# press on START, so a second one may be needed.)
for attempt in 1 2 3; do
    xdotool click 1
    sleep 0.5
    wait_title_stable "$MAIN" 4500 30 && break
    [ "$attempt" -lt 3 ] || fail "autoplay still spins after three clicks"
done
read_title "$MAIN"

begin "a press on TAKE just after the ladder ran out of time buys no spin"
# Collect what is pending, then spin until a win can be gambled.
percent_point "$MAIN" 70 91
start_x=$PX start_y=$PY
percent_point "$MAIN" 84 91
risk_x=$PX risk_y=$PY
layout_point "$MAIN" 1004 144
count_x=$PX count_y=$PY
if [ "$TITLE_WIN" -gt 0 ]; then click_at "$start_x" "$start_y"; sleep 2; fi
tries=0 proven=0
while [ "$proven" = 0 ]; do
    tries=$((tries + 1))
    [ "$tries" -le 40 ] || fail "no spin in 40 left a win that could be gambled"
    click_at "$start_x" "$start_y"
    sleep 3.5
    # A spin that wins free games plays the whole series by itself first.
    wait_title_stable "$MAIN" 1500 150 || fail "the title did not settle after a spin"
    read_title "$MAIN"
    if [ "$TITLE_WIN" -le 0 ] || [ "$TITLE_WIN" -ge 15000 ]; then sleep 0.3; continue; fi
    # GAMBLE opens the ladder (and takes its first step).
    xdotool mousemove "$risk_x" "$risk_y"
    sleep 0.15
    xdotool click 1
    opened=$(now_ms)
    sleep 1
    shot_area "$work/countdown-a.png" "$count_x" "$count_y" 70 14
    sleep 0.35
    shot_area "$work/countdown-b.png" "$count_x" "$count_y" 70 14
    if [ "$(changed_pixels "$work/countdown-a.png" "$work/countdown-b.png")" -lt 5 ]; then
        # The first step fell off the ladder: nothing to time out. Next win.
        sleep 0.5
        continue
    fi
    shot ladder-open
    read_title "$MAIN"
    points=$TITLE_POINTS
    # The ladder times out 5 s after it opened: press TAKE 100 ms later.
    xdotool mousemove "$start_x" "$start_y"
    while [ $(($(now_ms) - opened)) -lt 5100 ]; do sleep 0.01; done
    xdotool click 1
    sleep 2
    read_title "$MAIN"
    shot after-late-take
    [ "$TITLE_POINTS" -eq "$points" ] || fail "the late press charged a spin ($points -> $TITLE_POINTS)"
    [ "$TITLE_WIN" -eq 0 ] || fail "the ladder had not run out of time at the press (win $TITLE_WIN)"
    proven=1
done
# A press after the guard spins as always.
click_at "$start_x" "$start_y"
sleep 0.5
read_title "$MAIN"
[ "$TITLE_POINTS" -lt "$points" ] || fail "a press well after the timeout did not spin"

begin "the level-up message shows after the press that collects the scatters' win"
# The developer key S makes the next spin land scatters on the first two reels.
# A change of bet puts the player back on level 1, where a level can be won;
# it waits for the last spin to end and its win to be collected.
percent_point "$MAIN" 53 90
bet_x=$PX bet_y=$PY
for attempt in $(seq 10); do
    sleep 1
    read_title "$MAIN"
    if [ "$TITLE_WIN" -gt 0 ]; then
        wait_title_stable "$MAIN" 1500 30 || fail "the title did not settle"
        click_at "$start_x" "$start_y"
        sleep 1.5
    fi
    click_at "$bet_x" "$bet_y"
    sleep 0.5
    read_title "$MAIN"
    [ "$TITLE_BID" -ne 10 ] && break
    [ "$attempt" -lt 10 ] || fail "the bet did not change in ten tries"
done
layout_point "$MAIN" 384 230
box_x=$PX box_y=$PY
layout_point "$MAIN" 600 400
reels_x=$PX reels_y=$PY
shown=0
for attempt in 1 2 3 4; do
    xdotool mousemove "$reels_x" "$reels_y"
    sleep 0.4  # past the start guard of the last collect
    xdotool key s
    click_at "$start_x" "$start_y"
    sleep 3
    wait_title_stable "$MAIN" 1500 60 || fail "the title did not settle after the spin"
    read_title "$MAIN"
    [ "$TITLE_WIN" -gt 0 ] || continue
    shot scatters-pending
    click_at "$start_x" "$start_y"  # collects: the message waiting behind the win shows
    sleep 2
    shot_area "$work/message-on.png" "$box_x" "$box_y" 600 300
    cp "$work/message-on.png" "$shots/message-after-collect.png"
    xdotool mousemove "$reels_x" "$reels_y"
    sleep 0.2
    xdotool click 1  # a click ends the message
    sleep 2
    shot_area "$work/message-off.png" "$box_x" "$box_y" 600 300
    changed=$(changed_pixels "$work/message-on.png" "$work/message-off.png")
    log "the message covered $changed pixels"
    [ "$changed" -ge 1500 ] && { shown=1; break; }
done
[ "$shown" = 1 ] || fail "no message after the collecting press in four scatter spins"

begin "random single, double and triple clicks for twenty seconds"
# Anywhere below the menu strip, fast and slow; then the game still quits
# normally and its save and history agree.
geometry "$MAIN"
RANDOM=11
deadline=$((SECONDS + 20))
clicks=0
while [ "$SECONDS" -lt "$deadline" ]; do
    x=$((WX + RANDOM % WW)) y=$((WY + 40 + RANDOM % (WH - 40)))
    xdotool mousemove "$x" "$y" click --repeat $((1 + RANDOM % 3)) --delay $((40 + RANDOM % 120)) 1
    clicks=$((clicks + 1))
    sleep "0.$((RANDOM % 6))"
    if box=$(any_message_box); then fail "a message box came up: $box"; fi
done
log "$clicks random clicks"
shot after-random-clicks
read_title "$MAIN" || fail "unreadable title '$TITLE' after the random clicks"
last_points=$TITLE_POINTS
park_pointer
xdotool key Escape
code=0
wait_exit "$game_pid" 30 || code=$?
[ "$code" -ne 124 ] || fail "the game still runs 30 s after Escape"
[ "$code" -eq 0 ] || fail "the game ended with exit code $code"
info=$("$save_info" "$save_file") || fail "the save does not decode: $info"
history=$("$save_info" --history "$folder/History.dat") || fail "the history does not parse: $history"
saved() { awk -v k="$1" '$1 == k { print $2 }' <<<"$2"; }
[ "$(saved points "$info")" -ge "$last_points" ] || fail "the title showed $last_points, the save holds: $info"
for field in points staked won; do
    [ "$(saved "$field" "$info")" = "$(saved "$field" "$history")" ] ||
        fail "save and history disagree on $field: $info / $history"
done
log "all steps passed"
