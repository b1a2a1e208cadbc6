#!/usr/bin/env bash
# The real game started with a display that no X server answers (DISPLAY=:999)
# and no video driver asked for: it must never play on invisibly. Each start
# prints "Can't open Main Window" on standard error and ends at once with a
# failing exit code, and leaves no single-instance lock behind, so that the
# next start is never refused. Quick starts one after the other, because the
# invisible game used to show up only now and then.
#
#   tests/e2e/no_display_test.sh BUILD/nebulor
set -euo pipefail
if [ $# -ne 1 ]; then
    echo "usage: $0 BUILD/nebulor" >&2
    exit 2
fi
game=$(realpath "$1")
# A network namespace of its own where unshare allows it: the lock (an
# abstract socket) seen here is then this test's alone.
if [ -z "${NEBULOR_NO_DISPLAY_STAGE:-}" ] && unshare -rn true 2>/dev/null; then
    export NEBULOR_NO_DISPLAY_STAGE=1
    exec unshare -rn bash "$0" "$game"
fi

log() { printf '[no-display %s] %s\n' "$(date +%H:%M:%S)" "$*"; }
fail() {
    log "FAILED: $*"
    exit 1
}

display=999
# An X server that happens to run as :999 on this machine would answer.
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
[ "$display" = 999 ] || log "display :999 is taken on this machine; :$display has no server"

work=$(mktemp -d "${TMPDIR:-/tmp}/nebulor-no-display.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home" "$work/run"
Starts=${NEBULOR_NO_DISPLAY_STARTS:-5}
for ((start = 1; start <= Starts; ++start)); do
    code=0
    (cd "$work/run" && exec env -i PATH=/usr/bin:/bin HOME="$work/home" DISPLAY=":$display" \
        SDL_AUDIODRIVER=dummy timeout -k 5 30 "$game") >"$work/out" 2>"$work/err" || code=$?
    if [ "$code" -eq 124 ] || [ "$code" -eq 137 ]; then fail "start $start: still running after 30 s without a display"; fi
    [ "$code" -ne 0 ] || fail "start $start: ended with exit code 0 although nothing could be shown"
    grep -qx "Can't open Main Window" "$work/err" ||
        fail "start $start: no \"Can't open Main Window\" on standard error; it said: $(cat "$work/err")"
    if grep -q '@nebulor-instance-' /proc/net/unix; then fail "start $start: the single-instance lock is still held"; fi
    log "start $start: exit code $code, \"Can't open Main Window\", no lock held"
done
# Nothing was played, so nothing of a player's folder may have been made.
[ -z "$(ls -A "$work/home")" ] || fail "a start without a display wrote $(find "$work/home" -type f | head -3)"
log "$Starts starts without a display ended at once"
