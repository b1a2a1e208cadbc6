#!/usr/bin/env bash
# Two users of one machine, each with an account and a home of their own,
# play the installed game at the same time: both copies run, each keeps its
# settings and save in its own home, owned by its own account, and a second
# copy of the same user is still refused. Needs root (to add the two
# accounts, removed again at the end); skips otherwise (exit code 77).
#
#   tests/install/two_users_test.sh /usr/games/nebulor BUILD/nebulor-save-info
set -euo pipefail

# shellcheck source=tests/install/headless_game.sh
source "$(dirname "$(realpath "$0")")/headless_game.sh"

[ $# -eq 2 ] || { echo "usage: $0 INSTALLED-GAME BUILD/nebulor-save-info" >&2; exit 2; }
game=$(realpath "$1")
save_info=$(realpath "$2")
if [ "$(id -u)" -ne 0 ] || ! command -v useradd >/dev/null || ! command -v setpriv >/dev/null; then
    echo "$0: skipped: adding two test accounts needs root, useradd and setpriv" >&2
    exit 77
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/nebulor-users.XXXXXX")
chmod 755 "$work"
users=("nebulor-test-$$-a" "nebulor-test-$$-b")
pids=()
on_exit() {
    local pid user
    for pid in "${pids[@]}"; do process_running "$pid" && kill -9 "$pid" 2>/dev/null; done
    for user in "${users[@]}"; do id "$user" >/dev/null 2>&1 && userdel "$user" 2>/dev/null; done
    rm -rf "$work"
}
trap on_exit EXIT

declare -A home pid
for user in "${users[@]}"; do
    home[$user]=$work/$user
    useradd --create-home --home-dir "${home[$user]}" --shell /usr/sbin/nologin --user-group "$user"
done

# as USER: the game run by that account, from a working folder of its own.
start_as() {
    local user=$1 workdir=$work/$1-$2
    mkdir -p "$workdir"
    chown "$user:" "$workdir"
    start_game "$game" "${home[$user]}" "$workdir" setpriv --reuid="$user" --regid="$user" --init-groups
    pids+=("$PID")
}

for user in "${users[@]}"; do
    log "$user starts the game"
    start_as "$user" first
    pid[$user]=$PID
    wait_for_file "$(player_folder "${home[$user]}")/Nebulor.Dat" 60 "$PID" ||
        die "$user: no save in the player's folder ($(tail -5 "$work/$user-first/game.log"))"
done
for user in "${users[@]}"; do
    process_running "${pid[$user]}" || die "$user's copy ended while the other user's started"
done
log "both copies run at once"

# The lock is real: the same user's second copy ends by itself before it
# reads the settings (a copy that got further would note the intro in them).
first=${users[0]}
first_files=$(player_folder "${home[$first]}")
before=$(stat -c '%n %s %y' "$first_files"/*)
start_as "$first" second
code=0
wait_exit "$PID" 30 || code=$?
[ "$code" -ne 124 ] || die "a second copy of $first still runs beside the first"
[ "$code" -eq 0 ] || die "the second copy of $first ended with exit code $code"
[ "$(stat -c '%n %s %y' "$first_files"/*)" = "$before" ] || die "the refused copy of $first touched the files"
log "a second copy of the same user was refused"

for user in "${users[@]}"; do
    stop_game "${pid[$user]}" "$user's copy"
    folder=$(player_folder "${home[$user]}")
    check_new_player_save "$save_info" "$folder" "$user"
    for file in "$folder/Settings.dat" "$folder/Nebulor.Dat"; do
        [ "$(stat -c %U "$file")" = "$user" ] || die "$file belongs to $(stat -c %U "$file"), not to $user"
    done
done
log "each user keeps settings and save in their own home"
