# shellcheck shell=bash disable=SC2154
# Helpers for driving the game in an X display with xdotool, sourced by the
# real-window suites (harness.sh). Windows are found with xwininfo (no window
# manager runs, so every window is a child of the root), titles are read with
# xprop, clicks are absolute pointer moves and button presses. Every wait is a bounded poll.

# Work folder layout, set by the caller: $work, $shots.
shot_number=0

log() { printf '[e2e %s] %s\n' "$(date +%H:%M:%S)" "$*"; }

# A screenshot of the whole display, numbered in the order of the steps.
shot() {
    shot_number=$((shot_number + 1))
    import -window root "$shots/$(printf '%02d' "$shot_number")-$1.png" 2>/dev/null || true
}

# A screenshot of a part of the display: shot_area FILE X Y W H.
shot_area() { import -window root -crop "$4x$5+$2+$3" +repage "$1" 2>/dev/null; }

# Pixels that differ between two pictures of the same size (small colour noise ignored).
changed_pixels() {
    local out
    out=$(compare -metric AE -fuzz 6% "$1" "$2" null: 2>&1 >/dev/null || true)
    awk -v n="$out" 'BEGIN { printf "%d\n", n + 0 }'
}

# wait_area_change BEFORE X Y W H MIN SECONDS: polls until at least MIN
# pixels of the display area differ from the picture BEFORE; sets CHANGED.
wait_area_change() {
    local deadline=$((SECONDS + $7)) now=$work/area-now.png
    while :; do
        shot_area "$now" "$2" "$3" "$4" "$5"
        CHANGED=$(changed_pixels "$1" "$now")
        [ "$CHANGED" -ge "$6" ] && return 0
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.2
    done
}

# wait_area_same BEFORE X Y W H MAX SECONDS: polls until at most MAX pixels
# of the display area differ from the picture BEFORE; sets CHANGED.
wait_area_same() {
    local deadline=$((SECONDS + $7)) now=$work/area-now.png
    while :; do
        shot_area "$now" "$2" "$3" "$4" "$5"
        CHANGED=$(changed_pixels "$1" "$now")
        [ "$CHANGED" -le "$6" ] && return 0
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.2
    done
}

# Mean colour of a picture as "r g b" (0..255).
mean_colour() {
    convert "$1" -scale '1x1!' -format '%[fx:int(255*r)] %[fx:int(255*g)] %[fx:int(255*b)]' info:
}

# Ids of the viewable top-level windows.
viewable_windows() {
    local id
    for id in $(xwininfo -root -children 2>/dev/null | awk '/^ +0x/ { print $1 }'); do
        xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' && echo "$id"
    done
    return 0
}

# The window's title (_NET_WM_NAME, UTF-8); fails when it has none at all.
window_title() {
    local line
    line=$(xprop -id "$1" _NET_WM_NAME 2>/dev/null) || return 1
    case $line in
        *'not found'*) return 1 ;;
        *'"'*) line=${line#*\"}; printf '%s\n' "${line%\"}" ;;
        *) printf '\n' ;;  # an empty title
    esac
}

# Whether the window is a dialog (the message boxes are).
is_dialog() { xprop -id "$1" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q _NET_WM_WINDOW_TYPE_DIALOG; }

# Sets WX WY WW WH to the window's place and size on the display.
geometry() {
    local info
    info=$(xwininfo -id "$1" 2>/dev/null) || return 1
    WX=$(awk '/Absolute upper-left X/ { print $4 }' <<<"$info")
    WY=$(awk '/Absolute upper-left Y/ { print $4 }' <<<"$info")
    WW=$(awk '/^ +Width:/ { print $2 }' <<<"$info")
    WH=$(awk '/^ +Height:/ { print $2 }' <<<"$info")
}

# find_window REGEX [dialog]: the first viewable window whose whole title
# matches REGEX (and that is a dialog when asked); prints its id.
find_window() {
    local id title
    for id in $(viewable_windows); do
        title=$(window_title "$id") || continue
        [[ $title =~ $1 ]] || continue
        if [ "${2:-}" = dialog ] && ! is_dialog "$id"; then continue; fi
        echo "$id"
        return 0
    done
    return 1
}

# wait_window REGEX SECONDS [dialog]: polls for the window; sets WIN.
wait_window() {
    local deadline=$((SECONDS + $2))
    while [ "$SECONDS" -lt "$deadline" ]; do
        WIN=$(find_window "$1" "${3:-}") && return 0
        sleep 0.1
    done
    return 1
}

# wait_window_gone ID SECONDS
wait_window_gone() {
    local deadline=$((SECONDS + $2))
    while [ "$SECONDS" -lt "$deadline" ]; do
        viewable_windows | grep -qx "$1" || return 0
        sleep 0.1
    done
    return 1
}

# Any message box on the display: prints "id title".
any_message_box() {
    local id
    for id in $(viewable_windows); do
        is_dialog "$id" && { echo "$id $(window_title "$id" || true)"; return 0; }
    done
    return 1
}

# The pause lets the game (and the menu strip) see the pointer arrive first.
click_at() {
    xdotool mousemove "$1" "$2"
    sleep 0.15
    xdotool click 1
}

# Dismisses a message box by clicking its one OK button, centred at the bottom.
click_box_ok() {
    geometry "$1" || return 1
    click_at $((WX + WW / 2)) $((WY + WH - 25))
    wait_window_gone "$1" 5
}

# The game's layout sits in the bottom-right corner of the main window's
# client area: layout point (x, y) is at window right - 1280 + x, window
# bottom - 768 + y. Sets PX PY for layout point $2,$3 of window $1.
layout_point() {
    geometry "$1" || return 1
    PX=$((WX + WW - 1280 + $2))
    PY=$((WY + WH - 768 + $3))
}

# A layout point given in percent of the 1280 x 768 screen (whole percents).
percent_point() { layout_point "$1" $(($2 * 1280 / 100)) $(($3 * 768 / 100)); }

# The main window's title split into TITLE_POINTS, TITLE_BID, TITLE_WIN
# (hundredths of a point) for the German or English wording; fails for any
# other title.
read_title() {
    TITLE=$(window_title "$1") || return 1
    local re='^Nebulor v2\.5 - (Punkte|Points): (-?[0-9]+\.[0-9][0-9]) P - (Einsatz|Bid): ([0-9]+\.[0-9][0-9]) P - (Gewinn|Profit): ([0-9]+\.[0-9][0-9])( - .*)?$'
    [[ $TITLE =~ $re ]] || return 1
    TITLE_POINTS=$(hundredths "${BASH_REMATCH[2]}")
    TITLE_BID=$(hundredths "${BASH_REMATCH[4]}")
    TITLE_WIN=$(hundredths "${BASH_REMATCH[6]}")
}

# "12.34" -> 1234
hundredths() {
    local text=$1 sign=""
    [ "${text#-}" != "$text" ] && { sign=-; text=${text#-}; }
    local whole=${text%.*} cents=${text#*.}
    echo "$sign$((10#$whole * 100 + 10#$cents))"
}

# Milliseconds of the wall clock.
now_ms() {
    local t=${EPOCHREALTIME//[!0-9]/}
    echo $((10#$t / 1000))
}

# wait_title_stable WINDOW QUIET_MS SECONDS: polls until the title has not
# changed for QUIET_MS milliseconds (count-ups and line presentation are over).
wait_title_stable() {
    local deadline=$((SECONDS + $3)) last="" title since
    since=$(now_ms)
    while [ "$SECONDS" -lt "$deadline" ]; do
        title=$(window_title "$1") || return 1
        if [ "$title" != "$last" ]; then
            last=$title
            since=$(now_ms)
        elif [ $(($(now_ms) - since)) -ge "$2" ]; then
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# The process state: exited children are reaped by bash or left as zombies.
process_running() {
    local state
    state=$(awk '{ print $3 }' "/proc/$1/stat" 2>/dev/null) || return 1
    [ "$state" != Z ]
}

# wait_exit PID SECONDS: the exit code of a game started in the background,
# or 124 when it still runs after SECONDS.
wait_exit() {
    local deadline=$((SECONDS + $2)) code=0
    while process_running "$1"; do
        [ "$SECONDS" -ge "$deadline" ] && return 124
        sleep 0.1
    done
    wait "$1" || code=$?
    return "$code"
}
