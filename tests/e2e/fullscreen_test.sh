#!/usr/bin/env bash
# Fullscreen on a 1920 x 1080 desktop, with real keys and clicks: F11 makes
# the main window cover the screen, a click where the scaled start button is
# drawn spins (the points drop by the bid), Alt+Enter gives the window back, and the
# choice ("Vollbild" in the settings) survives a restart.
#
#   tests/e2e/fullscreen_test.sh BUILD/nebulor BUILD/nebulor-save-info
set -euo pipefail

E2E_SCREEN=${E2E_SCREEN:-1920x1080}
E2E_SERVERNUM=${E2E_SERVERNUM:-163}
# shellcheck source=tests/e2e/harness.sh
source "$(dirname "$(realpath "$0")")/harness.sh"
# shellcheck source=tests/e2e/window_steps.sh
source "$here/window_steps.sh"

desktop_w=${E2E_SCREEN%x*}
desktop_h=${E2E_SCREEN#*x}

# Where the screen point (x, y) is drawn in a fullscreen window: the screen
# is scaled to fit and centred (the centre of the screen pixel).
scaled_point() {
    local pw ph px py
    if [ $((desktop_w * 768)) -le $((desktop_h * 1280)) ]; then
        pw=$desktop_w ph=$(((768 * desktop_w * 2 + 1280) / 2560))
    else
        ph=$desktop_h pw=$(((1280 * desktop_h * 2 + 768) / 1536))
    fi
    px=$(((desktop_w - pw) / 2)) py=$(((desktop_h - ph) / 2))
    PX=$((px + (2 * $1 + 1) * pw / 2560))
    PY=$((py + (2 * $2 + 1) * ph / 1536))
}

# Waits until the main window's geometry is "W H X Y".
wait_geometry() {
    local deadline=$((SECONDS + 10))
    while [ "$SECONDS" -lt "$deadline" ]; do
        geometry "$MAIN" && [ "$WW $WH $WX $WY" = "$1" ] && return 0
        sleep 0.1
    done
    fail "the main window is ${WW}x$WH+$WX+$WY, not '$1'"
}

begin "start windowed with the settings of a returning player"
mkdir -p "$folder"
printf '[Options]\r\nSoundMusik = 50\r\nSoundSFX = 60\r\nIntro = 0\r\nFunmodus = 0\r\nGrafik = 1\r\nLang = 0\r\n' \
    >"$settings_file"
start_copy
first=$PID
skip_jingle
wait_main_window 40
wait_demo_over
geometry "$MAIN"
windowed="$WW $WH $WX $WY"
[ "$WW" -lt "$desktop_w" ] || fail "the window already covers the desktop: $windowed"

begin "F11: the window covers the screen"
park_pointer
xdotool key F11
wait_geometry "$desktop_w $desktop_h 0 0"
sleep 0.5
shot fullscreen

begin "a click where the scaled SPIN is drawn spins"
read_title "$MAIN" || fail "unreadable title '$TITLE'"
before=$TITLE_POINTS
scaled_point 896 698  # the start button at 70 %, 91 %
click_at "$PX" "$PY"
deadline=$((SECONDS + 10))
until read_title "$MAIN" && [ "$TITLE_POINTS" -lt "$before" ]; do
    [ "$SECONDS" -lt "$deadline" ] || fail "the points did not drop after a click at ($PX, $PY)"
    sleep 0.2
done
[ $((before - TITLE_POINTS)) -eq "$TITLE_BID" ] ||
    fail "points went from $before to $TITLE_POINTS for a bid of $TITLE_BID"
shot fullscreen-spin

begin "Alt+Enter: the window as it was"
sleep 3  # the spin ends
xdotool key alt+Return
wait_geometry "$windowed"
sleep 0.5
shot windowed-again

begin "fullscreen survives a restart"
xdotool key F11
wait_geometry "$desktop_w $desktop_h 0 0"
quit_and_check_save "$first"
grep -q $'^Vollbild = 1\r$' "$settings_file" || fail "no 'Vollbild = 1' in $(cat -A "$settings_file")"
start_copy
second=$PID
skip_jingle
wait_main_window 40
wait_geometry "$desktop_w $desktop_h 0 0"
shot restarted-fullscreen
xdotool key F11
wait_geometry "$windowed"
quit_and_check_save "$second"
grep -q $'^Vollbild = 0\r$' "$settings_file" || fail "no 'Vollbild = 0' in $(cat -A "$settings_file")"
log "all steps passed"
