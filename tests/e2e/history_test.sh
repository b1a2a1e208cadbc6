#!/usr/bin/env bash
# The history window in a real X window, with real xdotool input: after a few
# games "Options" > "History" opens it, a click on a row of its list shows
# that game's grid, the game goes on behind it, and Escape closes it without
# ending the game.
#
#   tests/e2e/history_test.sh BUILD/nebulor BUILD/nebulor-save-info
set -euo pipefail

E2E_SERVERNUM=${E2E_SERVERNUM:-151}
# shellcheck source=tests/e2e/harness.sh
source "$(dirname "$(realpath "$0")")/harness.sh"

history_file=$folder/History.dat
games_in_history() {
    if [ -f "$history_file" ]; then awk '/ game / { n++ } END { print n + 0 }' "$history_file"; else echo 0; fi
}

begin "a returning player, English, without the intro"
mkdir -p "$folder"
printf '[Options]\nSoundMusik = 0\nSoundSFX = 0\nIntro = 0\nFunmodus = 0\nGrafik = 1\nLang = 1\n' >"$settings_file"
start_copy
game_pid=$PID
skip_jingle
wait_main_window 30
percent_point "$MAIN" 50 50  # ends the payline demo
click_at "$PX" "$PY"
until read_title "$MAIN" && [ "$TITLE_BID" -eq 10 ]; do sleep 0.2; done
wait_title_stable "$MAIN" 1000 20 || fail "the title did not settle"

begin "games played until an older one won"
# A press on START spins, or takes a win that is waiting; each game ends
# with the next press at the latest. Play on until there are three games and
# one below the newest won something, so that its row shows winning lines.
# The rows of the list, newest first: the wins of the history's game lines.
game_wins() { [ -f "$history_file" ] && awk '/ game / { for (i = 1; i <= NF; ++i) if ($i ~ /^win=/) print substr($i, 5) }' "$history_file" | tac; }
won_row() {
    local row=0 win
    while read -r win; do
        [ "$row" -ge 1 ] && [ "$win" -gt 0 ] && { echo "$row"; return 0; }
        row=$((row + 1))
    done < <(game_wins)
    return 1
}
deadline=$((SECONDS + 150))
until [ "$(games_in_history)" -ge 3 ] && row=$(won_row); do
    [ "$SECONDS" -lt "$deadline" ] || fail "no won game below the newest after 150 s ($(games_in_history) games)"
    click_start
    park_pointer
    wait_title_stable "$MAIN" 1500 20 || true
done
[ "$row" -lt 20 ] || fail "the won game is row $row, past the list's visible rows"
shot three-games

begin "Options > History opens the history window"
geometry "$MAIN"
mx=$WX my=$WY
xdotool mousemove $((mx + 30)) $((my + 11))
sleep 0.3
dropdown=("$mx" $((my + 22)) 150 50)
shot_area "$work/menu-closed.png" "${dropdown[@]}"
xdotool click 1
wait_area_change "$work/menu-closed.png" "${dropdown[@]}" 1000 5 || fail "the Options menu did not open"
shot options-menu
click_at $((mx + 35)) $((my + 56))  # its second item, "History"
wait_window '^History$' 10 || fail "no history window"
history=$WIN
geometry "$history"
hx=$WX hy=$WY
[ "$WW" -eq 900 ] && [ "$WH" -eq 580 ] || fail "the history window is ${WW}x$WH"
sleep 0.5
shot history-window
# The grid of the newest game is drawn: the panel is not one flat colour.
shot_area "$work/grid.png" $((hx + 456)) $((hy + 64)) 424 204
[ "$(convert "$work/grid.png" -colorspace gray -format '%[fx:int(standard_deviation*1000)]' info:)" -gt 40 ] ||
    fail "the grid of the selected game shows no symbols"

begin "a click on row $row, a game that won, shows it with its lines"
cp "$work/grid.png" "$work/grid-newest.png"
# Heads and rows are 18 pixels high, the list starts 186 pixels down.
click_at $((hx + 80)) $((hy + 186 + 18 + row * 18 + 9))
wait_area_change "$work/grid-newest.png" $((hx + 456)) $((hy + 64)) 424 204 200 5 ||
    fail "clicking another game left the grid as it was"
sleep 0.3
shot history-selected

begin "the game goes on behind the window"
read_title "$MAIN"
before=$TITLE_POINTS
click_start
deadline=$((SECONDS + 10))
until read_title "$MAIN" && [ "$TITLE_POINTS" -ne "$before" ]; do
    [ "$SECONDS" -lt "$deadline" ] || fail "a spin while the history window is open did not start"
    sleep 0.1
done
find_window '^History$' >/dev/null || fail "the history window closed when the game went on"

begin "Escape closes the window, and only the window"
xdotool mousemove $((hx + 700)) $((hy + 20))
sleep 0.3
xdotool key Escape
wait_window_gone "$history" 5 || fail "Escape did not close the history window"
sleep 2
process_running "$game_pid" || fail "Escape in the history window ended the game"
read_title "$MAIN" || fail "the main window lost its title"
shot closed

begin "a second open request raises the one window"
geometry "$MAIN"
xdotool mousemove $((mx + 30)) $((my + 11))
sleep 0.3
xdotool click 1
sleep 0.5
click_at $((mx + 35)) $((my + 56))
wait_window '^History$' 10 || fail "the history window did not open again"
xdotool mousemove $((mx + 30)) $((my + 11))
sleep 0.3
xdotool click 1
sleep 0.5
click_at $((mx + 35)) $((my + 56))
sleep 1
count=0
for id in $(viewable_windows); do [ "$(window_title "$id" || true)" = History ] && count=$((count + 1)); done
[ "$count" -eq 1 ] || fail "$count history windows after two open requests"

log "passed"
