#!/usr/bin/env bash
# Runs every libFuzzer target of tests/fuzz (one per *_fuzz.cpp: the save
# decoder and the save-file layer above it, the history reader, the settings
# reader, the font package and XML descriptor readers, the Ogg sound decoder)
# for SECONDS each, two at a time, each on a copy of its committed corpus so
# that the repository stays as it is. Built with clang in build-fuzz.
#
#   scripts/fuzz.sh [SECONDS]      explore for SECONDS each (default 300)
#   scripts/fuzz.sh --runs N       exactly N inputs each from a fixed seed
#                                  (a share of N for the costly targets, below)
#
# The second form is what CI runs: the same inputs on every machine, so that a
# red run always points at a change and can be repeated, never at luck. Hunting
# for new faults is the first form's job.
# A crash, leak, timeout or sanitizer report ends the run with exit code 1 and
# leaves the input that caused it in the work folder printed at the end. New
# inputs found are kept with FUZZ_KEEP=1; merge the interesting ones into
# tests/fuzz/corpus/<target> with libFuzzer's -merge=1.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
# Targets whose every input costs far more than a decoder's (a round through
# real files and several parses; libvorbis decoding whole clips): in the
# --runs form they take a share of the count, so that the three of them add
# about 8 s to the CI stage (measured 2026-12-09 on 2 cores: the four older
# targets take 254 s of CPU for 300,000 inputs each, these 16 s).
declare -A share=([history_reader]=30 [save_file]=30 [ogg_decoder]=10)
run_count=""
if [ "${1:-}" = --runs ]; then
    run_count=${2:?--runs needs a count}
else
    bound=(-max_total_time="${1:-300}")
    what="${1:-300} s"
fi
build=${FUZZ_BUILD:-build-fuzz}
lanes=${JOBS:-2}

targets=()
for source in tests/fuzz/*_fuzz.cpp; do
    name=$(basename "$source" _fuzz.cpp)
    targets+=("$name")
done

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNEBULOR_FUZZ=ON >/dev/null
cmake --build "$build" -j "$lanes" --target "${targets[@]/#/fuzz_}"

work=$(mktemp -d "${TMPDIR:-/tmp}/nebulor-fuzz.XXXXXX")
export LSAN_OPTIONS=suppressions=$root/scripts/lsan-suppressions.txt:print_suppressions=0

# fuzz NAME: one target on its own corpus copy; the log keeps libFuzzer's words.
fuzz() {
    local name=$1 dir=$work/$1
    if [ -n "$run_count" ]; then
        local count=$((run_count / ${share[$name]:-1}))
        bound=(-runs="$count" -seed=1)
    fi
    mkdir -p "$dir/artifacts"
    cp -r "tests/fuzz/corpus/$name" "$dir/corpus"
    "$root/$build/tests/fuzz/fuzz_$name" "${bound[@]}" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$dir/artifacts/" "$dir/corpus" >"$dir/log" 2>&1
}

declare -A running=()  # process -> target
failed=()
# Waits for one target to end and notes it when it found something.
wait_one() {
    local pid code=0
    wait -n -p pid "${!running[@]}" || code=$?
    [ "$code" -eq 0 ] || failed+=("${running[$pid]}")
    unset "running[$pid]"
}

for name in "${targets[@]}"; do
    [ "${#running[@]}" -lt "$lanes" ] || wait_one
    if [ -z "$run_count" ]; then
        echo "fuzzing $name for $what"
    else
        echo "fuzzing $name for $((run_count / ${share[$name]:-1})) inputs"
    fi
    fuzz "$name" &
    running[$!]=$name
done
while [ "${#running[@]}" -gt 0 ]; do wait_one; done

for name in "${targets[@]}"; do
    runs=$(awk '/stat::number_of_executed_units/ { print $2 }' "$work/$name/log")
    echo "  $name: ${runs:-?} inputs, corpus $(ls "$work/$name/corpus" | wc -l) files"
done
if [ "${#failed[@]}" -gt 0 ]; then
    for name in "${failed[@]}"; do
        echo "=== fuzz_$name found a fault:"
        tail -n 40 "$work/$name/log"
    done
    echo "fuzzing failed: ${failed[*]}; inputs and logs in $work"
    exit 1
fi
if [ "${FUZZ_KEEP:-0}" = 1 ]; then
    echo "no faults; corpora with the new inputs in $work"
else
    rm -rf "$work"
    echo "no faults"
fi
