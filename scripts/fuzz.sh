#!/usr/bin/env bash
# Builds the fuzzing harnesses with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) in build-fuzz/ and runs each for a bounded time:
# engine_fuzz over the evaluation, result_file_fuzz over the result file reader.
#   FUZZ_SECONDS  how long to fuzz in all, split evenly between the two (default 60)
#   FUZZ_JOBS     parallel fuzzing processes of each harness (default 1)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${FUZZ_SECONDS:-60}"
jobs="${FUZZ_JOBS:-1}"
build=build-fuzz
cxx="$(command -v clang++ || command -v clang++-14)"
# A build-fuzz/ configured from tests/fuzz on its own (older checkouts) is configured afresh;
# the corpus it found stays.
if grep -qs '^CMAKE_HOME_DIRECTORY:.*/tests/fuzz$' "$build/CMakeCache.txt"; then
    rm -rf "$build/CMakeCache.txt" "$build/CMakeFiles"
fi
cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKALVOX_WITH_FUZZ=ON -DKALVOX_WITH_GUI=OFF -DKALVOX_WITH_BENCH=OFF >/dev/null
cmake --build "$build" -j2 --target engine_fuzz result_file_fuzz result_file_seeds
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LC_ALL=C.UTF-8
# The reader's seeds are real result files, written afresh by the save key's code.
rm -rf "$build/seeds_result_file"
"$build/result_file_seeds" "$build/seeds_result_file"

# Runs one harness: NAME SECONDS DICTIONARY SEED_FOLDER. The committed seeds stay
# untouched; what the fuzzer finds goes to build-fuzz/ (the engine's corpus and
# crashes keep their earlier places).
run() {
    local name=$1 time=$2 dict=$3 seeds=$4 corpus artifacts log
    if [ "$name" = engine_fuzz ]; then
        corpus="$build/corpus" artifacts="$build/artifacts/" log="$build/last_run.log"
    else
        corpus="$build/corpus_$name" artifacts="$build/artifacts/$name-" log="$build/last_run_$name.log"
    fi
    mkdir -p "$corpus" "$build/artifacts"
    # More than one job: that many fuzzing processes share one corpus (fork mode).
    local parallel=()
    if [ "$jobs" -gt 1 ]; then parallel=(-fork="$jobs"); fi
    echo "== $name: $time s"
    set +e
    "$build/$name" "${parallel[@]}" -max_total_time="$time" -max_len=4096 -timeout=5 \
        -rss_limit_mb=2048 -dict="$dict" -print_final_stats=1 -artifact_prefix="$artifacts" \
        "$corpus" "$seeds" 2>&1 | tee "$log" | grep -v '^#[0-9]*.*\(NEW\|REDUCE\|pulse\)'
    local status=${PIPESTATUS[0]}
    set -e
    grep -E 'stat::number_of_executed_units|stat::peak_rss_mb' "$log" || true
    return "$status"
}

first=$((seconds / 2))
second=$((seconds - first))
status=0
run engine_fuzz "$first" tests/fuzz/engine.dict tests/fuzz/corpus || status=$?
run result_file_fuzz "$second" tests/fuzz/result_file.dict "$build/seeds_result_file" || status=$?
exit "$status"
