#!/usr/bin/env bash
# Runs every benchmark program of the build folder given as the argument,
# then the spin simulator's speed. The figures of docs/PERFORMANCE.md come
# from here.
set -euo pipefail
build="${1:-build}"
for program in "$build"/bench/nebulor_*_bench; do
  echo "== $(basename "$program")"
  "$program" --benchmark_color=false
done
echo "== nebulor-sim"
"$build/nebulor-sim" --spins 1000000 --seed 1 > /dev/null
