#!/usr/bin/env bash
# Fullscreen on a 1920 x 1080 desktop (Xvfb) against the same game in its
# window on the same desktop, in one run: the idle game's CPU share over 30 s
# each way (nebulor-window-probe, from outside), then the frame benchmark's
# idle and busiest scenes windowed and fullscreen, as ratios.
#
#   bench/fullscreen_bench.sh BUILD      (make bench runs it)
set -euo pipefail
build=$(realpath "${1:-build}")
if [ -z "${NEBULOR_BENCH_STAGE:-}" ]; then
    export NEBULOR_BENCH_STAGE=display
    screen=(-s "-screen 0 1920x1080x24 -nolisten tcp")
    if unshare -rn true 2>/dev/null; then exec unshare -rn xvfb-run -a "${screen[@]}" bash "$0" "$build"; fi
    exec xvfb-run -a "${screen[@]}" bash "$0" "$build"
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/nebulor-fullscreen-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
export APPDATA=$work/appdata SDL_AUDIODRIVER=dummy
unset SDL_VIDEODRIVER
folder="$APPDATA/Dax-Fenno/Nebulor v2.5"
mkdir -p "$folder" "$work/run"
cd "$work/run"
value() { awk -v key="$1" '$1 == key { print $2 }'; }
idle() {
    printf '[Options]\nSoundMusik = 50\nSoundSFX = 60\nIntro = 0\nFunmodus = 0\nGrafik = 1\nLang = 0\nVollbild = %s\n' \
        "$1" >"$folder/Settings.dat"
    "$build/bench/nebulor-window-probe" play --idle 30 -- "$build/nebulor" | value idle_cpu_percent_of_one_core
}
windowed=$(idle 0)
fullscreen=$(idle 1)
echo "idle game on a 1920 x 1080 desktop: windowed $windowed %, fullscreen $fullscreen % of one core over 30 s;" \
    "fullscreen $(awk -v a="$fullscreen" -v b="$windowed" 'BEGIN { printf "%.2f", a / b }') times the window's (goal: at most 2)"
SDL_VIDEODRIVER=x11 "$build/bench/nebulor_frame_bench" --benchmark_color=false \
    --benchmark_filter='EmptyFrame|IdleFrame/|IdleFrameFullscreen|BusiestFrame' | grep -E 'scene|window'
echo "load average while measuring: $(cut -d' ' -f1-3 /proc/loadavg)"
