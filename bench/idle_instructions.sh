#!/usr/bin/env bash
# The instructions an idle frame of the real game costs in a real X display
# (Xvfb), counted by valgrind's callgrind: the game's own code, SDL, the C
# library and Xlib, everything the game process runs per frame. Unlike a CPU
# share, the count does not depend on how busy the machine is, so builds can
# be compared on a shared machine. With a second build it prints the ratio.
#
#   bench/idle_instructions.sh BUILD [BASELINE_BUILD]
set -euo pipefail
if [ -z "${NEBULOR_BENCH_STAGE:-}" ]; then
    export NEBULOR_BENCH_STAGE=display
    screen=(-s "-screen 0 1600x1000x24 -nolisten tcp")
    if unshare -rn true 2>/dev/null; then exec unshare -rn xvfb-run -a "${screen[@]}" bash ${NEBULOR_TRACE:+-x} "$0" "$@"; fi
    exec xvfb-run -a "${screen[@]}" bash "$0" "$@"
fi
command -v valgrind >/dev/null || { echo "valgrind is not installed"; exit 1; }
work=$(mktemp -d "${TMPDIR:-/tmp}/nebulor-idle-instructions.XXXXXX")
trap 'rm -rf "$work"' EXIT
export SDL_AUDIODRIVER=dummy
unset SDL_VIDEODRIVER

# Instructions per main-loop pass of BUILD's game over 20 s of the idle game.
per_frame() {
    local game=$1/nebulor out=$work/callgrind.out pid title=""
    export APPDATA=$work/appdata
    local folder="$APPDATA/Dax-Fenno/Nebulor v2.5"
    rm -rf "$APPDATA" "$out"*
    mkdir -p "$folder" "$work/run"
    # A returning player (no first-start message), intro off.
    printf '[Options]\nSoundMusik = 50\nSoundSFX = 60\nIntro = 0\nFunmodus = 0\nGrafik = 1\nLang = 0\n' \
        >"$folder/Settings.dat"
    (cd "$work/run" && exec valgrind --tool=callgrind --instr-atstart=no --callgrind-out-file="$out" \
        "$game" >"$work/valgrind.log" 2>&1) &
    pid=$!
    for _ in $(seq 300); do
        xdotool search --name '^Nebulor$' >/dev/null 2>&1 && break
        sleep 0.2
    done
    sleep 1
    xdotool key Escape
    # The running game's title carries points with two decimals.
    for _ in $(seq 300); do
        title=$(xdotool search --name 'Nebulor v2.5' getwindowname 2>/dev/null | head -1 || true)
        [[ "$title" == *.??\ P* ]] && break
        sleep 0.5
    done
    sleep 5
    callgrind_control -i on "$pid" >/dev/null 2>&1
    sleep 20
    callgrind_control -i off "$pid" >/dev/null 2>&1
    callgrind_control -d "$pid" >/dev/null 2>&1
    sleep 1
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    # The passes' inclusive count divided by their number (read to the end:
    # the pipe must not break).
    callgrind_annotate --inclusive=yes "$out".* 2>/dev/null |
        awk '!done && /=> .*RunMainLoopPass\(\) \(/ {
                 gsub(",", "", $1); gsub(/[(x),]/, "", $NF); print int($1 / $NF); done = 1 }'
}

new=$(per_frame "$(realpath "$1")")
echo "idle frame of $1: $new instructions"
if [ -n "${2:-}" ]; then
    old=$(per_frame "$(realpath "$2")")
    echo "idle frame of $2: $old instructions"
    awk -v new="$new" -v old="$old" 'BEGIN { printf "ratio: %.2f of the baseline\n", new / old }'
fi
