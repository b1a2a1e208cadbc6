#!/usr/bin/env bash
# The real game killed with SIGKILL at random moments of play, again and
# again: after every restart the points are the balance after the last game
# of the history (a spin the kill cut short settled as the README says), the
# save decodes and the history parses. Nothing the player saw is lost.
#
#   tests/e2e/crash_test.sh BUILD/nebulor BUILD/nebulor-save-info
#
# NEBULOR_CRASH_KILLS sets the number of kills (20 by default).
set -euo pipefail

# Its own display number, away from the other suites'.
E2E_SERVERNUM=${E2E_SERVERNUM:-157}
# shellcheck source=tests/e2e/harness.sh
source "$(dirname "$(realpath "$0")")/harness.sh"

Kills=${NEBULOR_CRASH_KILLS:-20}
history_file=$folder/History.dat
losses=0

# One value of the history's last intact line.
history_value() { awk -v key="$1" '$1 == key { print $2 }' <<<"$HISTORY"; }

read_history() {
    HISTORY=$("$save_info" --history "$history_file") || fail "the history does not parse: $HISTORY"
}

begin "a returning player without the intro"
mkdir -p "$folder"
printf '[Options]\nSoundMusik = 0\nSoundSFX = 0\nIntro = 0\nFunmodus = 0\nGrafik = 1\nLang = 1\n' >"$settings_file"

for ((round = 1; round <= Kills; ++round)); do
    begin "kill $round of $Kills"
    expected=""
    if [ -s "$history_file" ]; then
        read_history
        expected=$(history_value points)
        # What the start settles: a spin still turning gives its stake back,
        # a spin that had landed pays what it landed on.
        if [ "$(history_value kind)" = spin ] && [ "$(history_value fun)" = 0 ]; then
            if [ "$(history_value landed)" = 1 ]; then
                expected=$((expected + $(history_value win)))
            else
                expected=$((expected + $(history_value stake)))
            fi
        fi
    fi
    start_copy
    pid=$PID
    skip_jingle
    wait_main_window 30
    if [ -n "$expected" ] && [ "$TITLE_POINTS" -ne "$expected" ]; then
        log "kill $round: the restart shows $TITLE_POINTS, the history's last game left $expected"
        losses=$((losses + 1))
    fi
    # Play for a random while: starts, collects, whatever the button does.
    play_ms=$((1500 + RANDOM % 3000))
    until_ms=$(($(now_ms) + play_ms))
    while [ "$(now_ms)" -lt "$until_ms" ]; do
        click_start
        sleep "0.$((RANDOM % 4 + 1))"
    done
    kill -9 "$pid"
    code=0
    wait_exit "$pid" 10 || code=$?
    [ "$code" -ne 124 ] || fail "the killed game did not end"
    info=$("$save_info" "$save_file") || fail "the save does not decode after kill $round: $info"
    read_history
done

begin "the figure"
log "kills: $Kills, losses: $losses"
[ "$losses" -eq 0 ] || fail "$losses of $Kills restarts lost points"
