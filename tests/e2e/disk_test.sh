#!/usr/bin/env bash
# The real game in a real X window with its folder on a small disk of its
# own (a tmpfs mounted as APPDATA): the disk fills up while the player plays,
# then has room again; later the folder turns read-only. The old save must
# survive byte for byte, the game must play on, the player must be told (a
# message over the reels) and the first write that works again must catch up
# with the title. nebulor-save-info reads the save as the game does.
#
#   tests/e2e/disk_test.sh BUILD/nebulor BUILD/nebulor-save-info
#
# Mounting needs root or a user namespace (unshare -rm); where neither is
# possible the suite ends with code 77, which CTest reports as skipped.
set -euo pipefail

E2E_SERVERNUM=${E2E_SERVERNUM:-161}
# A mount namespace of the suite's own (with the network namespace the
# harness would make), so that the tmpfs is seen by nobody else.
if [ -z "${NEBULOR_E2E_STAGE:-}" ]; then
    if unshare -rnm true 2>/dev/null; then
        export NEBULOR_E2E_STAGE=namespace
        exec unshare -rnm bash "$0" "$@"
    elif [ "$(id -u)" = 0 ] && unshare -m true 2>/dev/null; then
        export NEBULOR_E2E_STAGE=namespace
        exec unshare -m bash "$0" "$@"
    fi
fi
# shellcheck source=tests/e2e/harness.sh
source "$(dirname "$(realpath "$0")")/harness.sh"
# shellcheck source=tests/e2e/window_steps.sh
source "$here/window_steps.sh"  # wait_demo_over, wait_spin_over

# The game's three files need a page each, and the history a few more.
if ! mount -t tmpfs -o size=256k,mode=0755 nebulor-appdata "$APPDATA" 2>"$work/mount.err"; then
    log "SKIPPED: cannot mount a tmpfs as the game's folder here ($(cat "$work/mount.err")); needs root or unshare -rm"
    exit 77
fi
# The copies stop before the disk goes, and the disk before the work folder.
trap 'code=$?; stop_copies; umount -l "$APPDATA" 2>/dev/null || true; (exit $code); on_exit' EXIT

# The save's points as nebulor-save-info reads them; fails when it does not decode.
saved_points() {
    local info
    info=$("$save_info" "$save_file") || fail "the save does not decode: $info"
    awk '$1 == "points" { print $2 }' <<<"$info"
}

# Clicks the start button until the reels turn (a pending win is collected
# by the first click), then waits for the game to settle: reels stopped and
# any win it brought collected. Sets TITLE_POINTS and friends.
play_game() {
    local tries=0 deadline last_click=0
    until reels_turning; do
        tries=$((tries + 1))
        [ "$tries" -le 15 ] || fail "a click on SPIN did not start the reels"
        click_start
        sleep 0.4
    done
    wait_spin_over 1500
    # A win: collected (a big one is counted up for ten seconds first).
    deadline=$((SECONDS + 40))
    while [ "$TITLE_WIN" -gt 0 ]; do
        [ "$SECONDS" -lt "$deadline" ] || fail "the win of $TITLE_WIN was not collected"
        if [ $((SECONDS - last_click)) -ge 3 ]; then
            click_start
            last_click=$SECONDS
        fi
        sleep 0.3
        read_title "$MAIN" || fail "unreadable title '$TITLE'"
    done
    wait_title_stable "$MAIN" 1500 30 || fail "the title did not settle after the game"
    read_title "$MAIN" || fail "unreadable title '$TITLE'"
}

# Near-white pixels (the message's letters) in the message's place over the
# reels: layout 384..824 x 270..400.
message_pixels() {
    layout_point "$MAIN" 384 270
    shot_area "$work/message.png" "$PX" "$PY" 440 130
    convert "$work/message.png" -colorspace gray -threshold 94% -format '%[fx:int(mean*w*h)]' info:
}

# Waits for the message to fade in over the stopped reels; fails when none comes.
wait_message() {
    local deadline=$((SECONDS + 5)) seen
    while :; do
        seen=$(message_pixels)
        [ "$seen" -ge "$1" ] && return 0
        [ "$SECONDS" -lt "$deadline" ] || fail "no message over the reels ($seen bright pixels, $1 wanted)"
        sleep 0.2
    done
}

begin "a returning player whose folder is a disk of 256 KB"
mkdir -p "$folder"
printf '[Options]\nSoundMusik = 0\nSoundSFX = 0\nIntro = 0\nFunmodus = 0\nGrafik = 1\nLang = 1\n' >"$settings_file"
start_copy
game_pid=$PID
skip_jingle
wait_main_window 30
wait_demo_over
percent_point "$MAIN" 70 91
xdotool mousemove "$PX" "$PY"
sleep 0.3
look_idle=$(start_button_look)
click_start
sleep 0.3
look_turning=$(start_button_look)
[ "$(colour_distance "$look_idle" "$look_turning")" -gt 300 ] || fail "the first click did not start the reels"
wait_spin_over 1500
play_game
sleep 1
[ "$(saved_points)" -eq "$TITLE_POINTS" ] || fail "the save holds $(saved_points), the title $TITLE_POINTS"
# The bright pixels of the reels without a message, for comparison.
quiet=$(message_pixels)
shot saved

begin "the disk fills up: the old save survives, the player is told, the game plays on"
dd if=/dev/zero of="$APPDATA/filler" bs=4096 2>/dev/null || true
dd if=/dev/zero of="$APPDATA/filler" bs=1 oflag=append conv=notrunc 2>/dev/null || true
cp "$save_file" "$work/save-before"
points_before=$TITLE_POINTS
play_game
wait_message $((quiet + 300))
told=$(message_pixels)
shot cannot-save
log "bright pixels over the reels: $quiet without the message, $told with it"
cmp -s "$save_file" "$work/save-before" || fail "the save changed on a full disk"
[ "$(saved_points)" -eq "$points_before" ] || fail "the save lost its old points"
for ((round = 1; round <= 3; ++round)); do play_game; done
process_running "$game_pid" || fail "the game ended on a full disk"
[ "$TITLE_POINTS" -ne "$points_before" ] || fail "three more games left the points at $points_before"
cmp -s "$save_file" "$work/save-before" || fail "the save changed on a full disk"
# Said once: the games after the first are played without the message.
now=$(message_pixels)
[ "$now" -lt $(((quiet + told) / 2)) ] || fail "the message is shown again ($now bright pixels)"
shot still-playing

begin "room again: the next write catches up and says so"
rm -f "$APPDATA/filler"
# A failed write is tried again within five seconds, and at the next game.
deadline=$((SECONDS + 15))
until [ "$(saved_points)" -eq "$TITLE_POINTS" ]; do
    [ "$SECONDS" -lt "$deadline" ] || fail "the save holds $(saved_points) after room came back, the title $TITLE_POINTS"
    sleep 0.5
done
wait_message $((quiet + 150))
shot saved-again
play_game
sleep 1
[ "$(saved_points)" -eq "$TITLE_POINTS" ] || fail "the save holds $(saved_points), the title $TITLE_POINTS"
"$save_info" --history "$folder/History.dat" >"$work/history" || fail "the history does not parse"
[ "$(awk '$1 == "points" { print $2 }' "$work/history")" -eq "$TITLE_POINTS" ] ||
    fail "the history's last line does not hold the title's points"
kill "$game_pid"
code=0
wait_exit "$game_pid" 20 || code=$?
[ "$code" -eq 0 ] || fail "the game ended with code $code"
last_points=$(saved_points)

begin "a read-only folder: the game starts, plays and says it cannot save"
mount -o remount,ro "$APPDATA" || fail "cannot make the folder read-only"
touch "$folder/probe" 2>/dev/null && fail "the read-only folder takes files"
cp "$save_file" "$work/save-before"
start_copy
game_pid=$PID
skip_jingle
wait_main_window 30
[ "$TITLE_POINTS" -eq "$last_points" ] || fail "the start shows $TITLE_POINTS, the save holds $last_points"
wait_demo_over
quiet=$(message_pixels)
play_game
wait_message $((quiet + 300))
shot read-only
told=$(message_pixels)
for ((round = 1; round <= 2; ++round)); do play_game; done
process_running "$game_pid" || fail "the game ended in a read-only folder"
now=$(message_pixels)
[ "$now" -lt $(((quiet + told) / 2)) ] || fail "the message is shown again ($now bright pixels)"
[ "$TITLE_POINTS" -ne "$last_points" ] || fail "three games left the points at $last_points"
cmp -s "$save_file" "$work/save-before" || fail "the save changed in a read-only folder"
kill "$game_pid"
code=0
wait_exit "$game_pid" 20 || code=$?
[ "$code" -eq 0 ] || fail "the game ended with code $code"
cmp -s "$save_file" "$work/save-before" || fail "the save changed in a read-only folder"
[ "$(saved_points)" -eq "$last_points" ] || fail "the save lost its points"
log "full disk and read-only folder: the old save kept, the player told, the game played on"
