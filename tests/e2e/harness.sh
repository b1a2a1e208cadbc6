# shellcheck shell=bash disable=SC2154
# The frame every real-window suite runs in, sourced by tests/e2e/*_test.sh
# after they have named their steps:
#
#   source "$(dirname "$(realpath "$0")")/harness.sh"   # with "$@" = BUILD/nebulor BUILD/nebulor-save-info
#
# It re-runs the calling script under `xvfb-run -a` (E2E_SCREEN, default
# 1600x1000), and in a network namespace of its own where unshare allows it,
# so that the game's single-instance lock neither meets nor blocks a copy
# running elsewhere on the machine. Then it sets up an empty APPDATA and a
# working folder, and gives the helpers every suite shares: starting copies,
# finding the loading and the main window, clicking the start button, failing
# with screenshots. Each step leaves a screenshot in a work folder; its path
# is printed when a step fails (set NEBULOR_E2E_KEEP=1 to keep it after a
# pass as well).
E2E_SCREEN=${E2E_SCREEN:-1600x1000}
# Each suite looks for a free display from a number of its own, so that two
# suites starting at the same moment never race for the same one.
# A suite may name its own before sourcing this file.
E2E_SERVERNUM=${E2E_SERVERNUM:-$((100 + $(basename "$0" | cksum | cut -d' ' -f1) % 800))}

if [ $# -ne 2 ]; then
    echo "usage: $0 BUILD/nebulor BUILD/nebulor-save-info" >&2
    exit 2
fi
game=$(realpath "$1")
save_info=$(realpath "$2")
here=$(dirname "$(realpath "$0")")

for tool in xvfb-run xdotool xwininfo xprop import compare convert; do
    command -v "$tool" >/dev/null || { echo "$0: $tool is missing (scripts/install-deps.sh installs it)" >&2; exit 2; }
done

if [ -z "${NEBULOR_E2E_STAGE:-}" ]; then
    export NEBULOR_E2E_STAGE=namespace
    if unshare -rn true 2>/dev/null; then
        exec unshare -rn bash "$0" "$game" "$save_info"
    fi
fi
if [ "$NEBULOR_E2E_STAGE" = namespace ]; then
    export NEBULOR_E2E_STAGE=display
    exec xvfb-run -a -n "$E2E_SERVERNUM" -s "-screen 0 ${E2E_SCREEN}x24 -nolisten tcp" bash "$0" "$game" "$save_info"
fi

# shellcheck source=tests/e2e/x11_driver.sh
source "$here/x11_driver.sh"

# Without a namespace of our own, a copy of the game running elsewhere on the
# machine holds the single-instance lock (an abstract socket): wait a while
# for it to end rather than report its refusal as a fault.
lock_deadline=$((SECONDS + 120))
grep -q '@nebulor-instance-' /proc/net/unix 2>/dev/null && log "waiting for another copy of the game to end"
while grep -q '@nebulor-instance-' /proc/net/unix 2>/dev/null; do
    if [ "$SECONDS" -ge "$lock_deadline" ]; then
        log "another copy of the game keeps running on this machine; the window test needs it closed"
        exit 1
    fi
    sleep 1
done

work=$(mktemp -d "${TMPDIR:-/tmp}/nebulor-e2e.XXXXXX")
shots=$work/screenshots
run=$work/run  # the working folder: no Intro.mpg there
mkdir -p "$shots" "$run"
export APPDATA=$work/appdata
mkdir -p "$APPDATA"
export SDL_AUDIODRIVER=dummy
unset SDL_VIDEODRIVER  # a real X window; SDL_RENDER_DRIVER is left to the caller
folder="$APPDATA/Dax-Fenno/Nebulor v2.5"
save_file=$folder/Nebulor.Dat
settings_file=$folder/Settings.dat

copies=()  # every copy of the game started here
step="set-up"

# Asks every copy still running to end (SIGTERM ends the game through its
# normal shutdown), and kills what is left after five seconds.
stop_copies() {
    local pid left=()
    for pid in "${copies[@]}"; do
        process_running "$pid" && kill "$pid" 2>/dev/null && left+=("$pid")
    done
    for pid in "${left[@]}"; do
        wait_exit "$pid" 5 >/dev/null 2>&1 || true
        process_running "$pid" && kill -9 "$pid" 2>/dev/null
    done
    return 0
}

fail() {
    log "FAILED in step '$step': $*"
    shot failed
    { xwininfo -root -children; for id in $(viewable_windows); do
        echo "$id: $(window_title "$id" || true)"; done; } >"$shots/windows.txt" 2>&1 || true
    exit 1
}

# On every way out: no copy of the game is left running; the screenshots go
# unless something failed (or they are asked for).
on_exit() {
    local code=$?
    stop_copies
    if [ "$code" -ne 0 ]; then
        local output
        for output in "$work"/game-*.log; do
            [ -s "$output" ] || continue
            log "output of copy ${output##*game-}:"
            tail -n 40 "$output"
            cp "$output" "$shots/"
        done
        log "step '$step' failed; screenshots of every step, window list and game output: $shots"
    elif [ "${NEBULOR_E2E_KEEP:-0}" = 1 ]; then
        log "screenshots kept in $shots"
    else
        rm -rf "$work"
    fi
}
trap on_exit EXIT
trap 'exit 143' TERM INT  # a timeout of ctest: still stop the copies

begin() {
    step=$1
    log "$step"
}

# Starts a copy of the game from the work folder; sets PID.
start_copy() {
    (cd "$run" && exec "$game") >>"$work/game-${#copies[@]}.log" 2>&1 &
    PID=$!
    copies+=("$PID")
}

# Waits for the loading window and skips the intro jingle with Escape.
skip_jingle() {
    wait_loading_window
    xdotool mousemove $((WX + WW / 2)) $((WY + WH / 2))
    sleep 0.1
    xdotool key Escape
}

# Waits for the 400 x 200 loading window; sets WIN and its geometry. An
# intro movie (installed beside the game) plays in the loading window across
# the whole display first: Escape skips it.
wait_loading_window() {
    local deadline=$((SECONDS + 20)) id box skipped=0
    while [ "$SECONDS" -lt "$deadline" ]; do
        if box=$(any_message_box); then fail "unexpected message box: $box"; fi
        for id in $(viewable_windows); do
            [ "$(window_title "$id" || true)" = Nebulor ] && geometry "$id" || continue
            [ "$WW" = 400 ] && [ "$WH" = 200 ] && { WIN=$id; return 0; }
            if [ "$skipped" = 0 ] && [ "${WW}x$WH" = "$E2E_SCREEN" ]; then
                log "an intro movie plays: Escape"
                xdotool mousemove $((WW / 2)) $((WH / 2))
                sleep 0.1
                xdotool key Escape
                skipped=1
            fi
        done
        sleep 0.1
    done
    fail "no loading window"
}

# Waits for the main window and its per-frame title; sets MAIN.
wait_main_window() {
    local deadline=$((SECONDS + $1)) box
    while [ "$SECONDS" -lt "$deadline" ]; do
        if box=$(any_message_box); then fail "unexpected message box: $box"; fi
        if MAIN=$(find_window '^Nebulor v2\.5 - ') && read_title "$MAIN"; then return 0; fi
        sleep 0.1
    done
    fail "no main window with a title of the running game within $1 s"
}

# Moves the pointer to the middle of the reels, away from every button.
park_pointer() {
    layout_point "$MAIN" 640 400
    xdotool mousemove "$PX" "$PY"
    sleep 0.1
}

# The start button's area (layout 840..950 x 680..718, shifted with the window).
start_button_look() {
    layout_point "$MAIN" 840 680
    shot_area "$work/button.png" "$PX" "$PY" 110 38
    mean_colour "$work/button.png"
}

# Squared distance between two "r g b" colours.
colour_distance() {
    local a b
    read -ra a <<<"$1"
    read -ra b <<<"$2"
    echo $(((a[0] - b[0]) ** 2 + (a[1] - b[1]) ** 2 + (a[2] - b[2]) ** 2))
}

# Whether the start button shows its look while the reels turn.
reels_turning() {
    local look
    look=$(start_button_look)
    [ "$(colour_distance "$look" "$look_turning")" -lt "$(colour_distance "$look" "$look_idle")" ]
}

click_start() {
    percent_point "$MAIN" 70 91
    click_at "$PX" "$PY"
}

