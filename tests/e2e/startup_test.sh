#!/usr/bin/env bash
# The real game's start and its memory in a real X window: a returning
# player presses Escape as soon as the loading window appears, the main
# window shows its first frame, and then the scenes that hold the most
# pictures at once (an idle minute, the prize wheel, the paytable page, a big
# win) keep the peak resident memory (VmHWM) at most 250 MB.
#
#   tests/e2e/startup_test.sh BUILD/nebulor BUILD/nebulor-save-info
#
# The start-up time is printed, not asserted (the machine is shared):
# bench/window_bench.sh measures it exactly.
set -euo pipefail

# shellcheck source=tests/e2e/harness.sh
source "$(dirname "$(realpath "$0")")/harness.sh"

PeakLimitKb=$((250 * 1024))
IdleSeconds=${NEBULOR_E2E_IDLE_SECONDS:-60}

peak_kb() { awk '/^VmHWM:/ { print $2 }' "/proc/$1/status"; }

check_peak() {
    local kb
    kb=$(peak_kb "$game_pid")
    log "peak resident memory after $1: $((kb / 1024)) MB"
    [ "$kb" -le "$PeakLimitKb" ] || fail "peak resident memory $((kb / 1024)) MB after $1 is over 250 MB"
}

begin "a returning player: settings written before the start"
mkdir -p "$folder"
printf '[Options]\nSoundMusik = 50\nSoundSFX = 60\nIntro = 0\nFunmodus = 0\nGrafik = 1\nLang = 1\n' >"$settings_file"

begin "Escape at once on the loading window, then the main window's first frame"
start_copy
game_pid=$PID
wait_loading_window
xdotool mousemove $((WX + WW / 2)) $((WY + WH / 2)) key Escape
escaped=$(now_ms)
shot loading-window
wait_main_window 20
log "Escape to the first frame seen: $(($(now_ms) - escaped)) ms (polled every 0.1 s)"
shot first-frame
park_pointer
# The first frame is the game screen, not an empty window: the reel window
# and the counters band show the background's colours.
layout_point "$MAIN" 100 665
shot_area "$work/band.png" "$PX" "$PY" 700 60
[ "$(mean_colour "$work/band.png")" != "0 0 0" ] || fail "the main window shows a black counters band"
check_peak "start-up"

begin "an idle minute"
sleep "$IdleSeconds"
shot idle
check_peak "an idle minute"

begin "the prize wheel"
percent_point "$MAIN" 17 12
click_at "$PX" "$PY"  # the daily prize button (its first click also ends the payline demo)
park_pointer
layout_point "$MAIN" 400 100
shot_area "$work/wheel-before.png" "$PX" "$PY" 480 480
sleep 1
percent_point "$MAIN" 70 91
click_at "$PX" "$PY"  # turn the wheel
park_pointer
wait_area_change "$work/wheel-before.png" "$PX" "$PY" 480 480 20000 10 ||
    fail "the wheel did not turn ($CHANGED pixels changed)"
sleep 8
shot wheel
check_peak "the prize wheel"
percent_point "$MAIN" 70 91
click_at "$PX" "$PY"  # collect the prize and leave the wheel
sleep 2

begin "the paytable page"
percent_point "$MAIN" 10 11
click_at "$PX" "$PY"
park_pointer
sleep 2
shot paytable
percent_point "$MAIN" 13 91
click_at "$PX" "$PY"
park_pointer
sleep 1
check_peak "the paytable page"

begin "a big win"
xdotool key e
sleep 4
shot big-win
read_title "$MAIN" || fail "unreadable title '$TITLE' during the big win"
[ "$TITLE_WIN" -gt 0 ] || fail "no win in the title during the big win"
check_peak "a big win"
log "all steps passed"
