#!/usr/bin/env bash
# The real game in a real X display (Xvfb), measured from outside with
# nebulor-window-probe: the start-up from the intro jingle skipped at once or
# played out to the first frame of the main window, the idle game's CPU share
# over 30 s, and the peak resident memory. Each figure is printed with its goal.
#
#   bench/window_bench.sh BUILD      (make bench runs it)
#
# It runs in a network namespace of its own where it can, so the game's
# single-instance lock does not meet a copy running elsewhere on the machine.
set -euo pipefail
build=$(realpath "${1:-build}")
if [ -z "${NEBULOR_BENCH_STAGE:-}" ]; then
    export NEBULOR_BENCH_STAGE=display
    screen=(-s "-screen 0 1600x1000x24 -nolisten tcp")
    if unshare -rn true 2>/dev/null; then exec unshare -rn xvfb-run -a "${screen[@]}" bash "$0" "$build"; fi
    exec xvfb-run -a "${screen[@]}" bash "$0" "$build"
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/nebulor-window-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
export APPDATA=$work/appdata SDL_AUDIODRIVER=dummy
unset SDL_VIDEODRIVER
folder="$APPDATA/Dax-Fenno/Nebulor v2.5"
mkdir -p "$folder" "$work/run"
# A returning player (no first-start message), intro off.
printf '[Options]\nSoundMusik = 50\nSoundSFX = 60\nIntro = 0\nFunmodus = 0\nGrafik = 1\nLang = 0\n' >"$folder/Settings.dat"
cd "$work/run"
probe() { "$build/bench/nebulor-window-probe" "$@" -- "$build/nebulor"; }
value() { awk -v key="$1" '$1 == key { print $2 }'; }

runs=5 wall=() cpu=()
for _ in $(seq "$runs"); do
    out=$(probe skip)
    wall+=("$(value escape_to_first_frame_ms <<<"$out")")
    cpu+=("$(value escape_to_first_frame_cpu_ms <<<"$out")")
done
sorted=$(printf '%s\n' "${wall[@]}" | sort -n)
echo "start-up, Escape at once to the first frame: best $(head -1 <<<"$sorted") ms," \
    "median $(sed -n 3p <<<"$sorted") ms of $runs starts (goal: at most 1000 ms);" \
    "CPU time of the game in between: median $(printf '%s\n' "${cpu[@]}" | sort -n | sed -n 3p) ms"
out=$(probe play --idle 30)
echo "start-up, jingle played out to the first frame: $(value loading_window_closed_to_first_frame_ms <<<"$out") ms" \
    "(goal: at most 200 ms)"
echo "idle game: $(value idle_cpu_percent_of_one_core <<<"$out") % of one core over 30 s (goal: under 3 %)"
echo "peak resident memory after start-up and 35 s idle: $(value peak_resident_after_idle_mb <<<"$out") MB" \
    "(goal: at most 250 MB; tests/e2e/startup_test.sh asserts it through the wheel, the paytable and a big win)"
echo "load average while measuring: $(cut -d' ' -f1-3 /proc/loadavg) (on 2 cores: wall-clock figures need a quiet machine)"
