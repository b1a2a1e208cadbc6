#!/usr/bin/env bash
# The tests built with AddressSanitizer and UndefinedBehaviorSanitizer in a
# build folder of their own (default build-asan): every unit and scenario
# test, the repaint and loading-window pictures on the real backend, and the
# game in a real X window. Any report ends the run with a failure; leak reports from system
# libraries are suppressed in scripts/lsan-suppressions.txt, nothing of ours.
#
#   scripts/sanitize.sh [BUILD-FOLDER]
#
# The assets that build/ has forged are used as they are (the forge itself is
# never sanitized); without build/data the forge runs in this folder.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${1:-build-asan}
jobs=${JOBS:-2}

assets=()
if [ -f build/data/manifest.tsv ] && [ -f build/data/Intro.mpg ]; then
    assets=(-DNEBULOR_ASSET_DIR="$root/build/data")
fi
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNEBULOR_SANITIZE=ON "${assets[@]}" >/dev/null
cmake --build "$build" -j "$jobs" --target nebulor_tests nebulor_sdl_tests nebulor nebulor-save-info \
    nebulor-loading-shot

export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS=suppressions=$root/scripts/lsan-suppressions.txt:print_suppressions=0
# Every SDL renderer in software: the GL renderer SDL would otherwise pick for
# the settings window runs Mesa's JIT, whose leaks LeakSanitizer cannot even
# name (the driver is unloaded before the report).
export SDL_RENDER_DRIVER=software

# The soak test plays a tenth of its spins here: instrumented, the full run is slow.
export NEBULOR_SOAK_SPINS=${NEBULOR_SOAK_SPINS:-10000}

echo "sanitizers: unit and scenario tests"
"$build/tests/nebulor_tests" --gtest_brief=1
echo "sanitizers: repainting on the real backend"
"$build/tests/nebulor_sdl_tests" --gtest_brief=1
echo "sanitizers: loading window and the game in a real window"
ctest --test-dir "$build" -R '^(LoadingWindowShot|WindowEndToEnd)$' --output-on-failure
echo "sanitizers: no reports"
