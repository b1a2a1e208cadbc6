#!/usr/bin/env bash
# Runs every benchmark program of the build folder given as the argument.
set -euo pipefail
build="${1:-build}"
for program in "$build"/bench/nebulor_*_bench; do
  echo "== $(basename "$program")"
  "$program"
done
