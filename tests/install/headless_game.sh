# shellcheck shell=bash
# Starting an installed game without a display, sourced by the install tests:
# the SDL dummy video driver (asked for explicitly) and silent sound, from a
# working folder of its own, with the per-user folder under the HOME given
# (APPDATA and XDG_DATA_HOME unset, as on a player's desktop). The first
# start writes the new player's settings and save and then plays on until
# SIGTERM ends it through its normal shutdown.

# process_running PID and wait_exit PID SECONDS, as the window suites have them.
# shellcheck source=tests/e2e/x11_driver.sh
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/x11_driver.sh"

log() { printf '[install %s] %s\n' "$(date +%H:%M:%S)" "$*"; }
die() {
    log "FAILED: $*"
    exit 1
}

# The per-user folder of the game for a home folder.
player_folder() { printf '%s/.local/share/Dax-Fenno/Nebulor v2.5\n' "$1"; }

# start_game GAME HOME WORKDIR [RUNNER...]: starts the game in the background
# (through RUNNER, e.g. setpriv, when given); sets PID. Its output goes to
# WORKDIR/game.log. Nothing of the caller's display reaches it, so no
# message box can wait for a click.
start_game() {
    local game=$1 home=$2 workdir=$3
    shift 3
    (cd "$workdir" &&
        exec "$@" env -i PATH=/usr/bin:/bin HOME="$home" SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$game") \
        >>"$workdir/game.log" 2>&1 &
    PID=$!
}

# wait_for_file FILE SECONDS PID: polls until the file has content; fails
# early when the game has ended.
wait_for_file() {
    local deadline=$((SECONDS + $2))
    until [ -s "$1" ]; do
        process_running "$3" || return 1
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.2
    done
}

# stop_game PID WHAT: SIGTERM, and the normal shutdown within 30 s with exit code 0.
stop_game() {
    local code=0
    kill -TERM "$1" 2>/dev/null || die "$2 was no longer running"
    wait_exit "$1" 30 || code=$?
    [ "$code" -ne 124 ] || { kill -9 "$1"; die "$2 still runs 30 s after SIGTERM"; }
    [ "$code" -eq 0 ] || die "$2 ended with exit code $code"
}

# check_new_player_save SAVE_INFO FOLDER WHAT: the settings and a save of a
# new player (1000 points) that the game reads back.
check_new_player_save() {
    local info
    [ -s "$2/Settings.dat" ] || die "$3: no Settings.dat in $2"
    info=$("$1" "$2/Nebulor.Dat") || die "$3: the save does not decode: $info"
    grep -qx 'points 1000' <<<"$info" || die "$3: the save does not hold a new player's 1000 points: $info"
}
