#!/usr/bin/env bash
# Runs every benchmark program of the build folder given as the argument,
# then the spin simulator's speed. The figures of docs/PERFORMANCE.md come
# from here.
set -euo pipefail
build="${1:-build}"
# A namespace of its own keeps the game's single-instance lock private.
isolated=()
unshare -rn true 2>/dev/null && isolated=(unshare -rn)
for program in "$build"/bench/nebulor_*_bench; do
  echo "== $(basename "$program")"
  "${isolated[@]}" "$program" --benchmark_color=false
done
echo "== nebulor-sim"
"$build/nebulor-sim" --spins 1000000 --seed 1 > /dev/null
echo "== the real game under Xvfb"
bash "$(dirname "$0")/../bench/window_bench.sh" "$build"
bash "$(dirname "$0")/../bench/fullscreen_bench.sh" "$build"
bash "$(dirname "$0")/../bench/idle_instructions.sh" "$build"
