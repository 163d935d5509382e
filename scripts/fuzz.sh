#!/usr/bin/env bash
# Builds the engine's fuzzing harness with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) in build-fuzz/ and runs it for a bounded time.
#   FUZZ_SECONDS  how long to fuzz (default 60)
#   FUZZ_JOBS     parallel fuzzing processes (default 1)
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
cmake --build "$build" -j2 --target engine_fuzz
# The committed seeds stay untouched; what the fuzzer finds goes to build-fuzz/.
mkdir -p "$build/corpus" "$build/artifacts"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# More than one job: that many fuzzing processes share one corpus (fork mode).
parallel=()
if [ "$jobs" -gt 1 ]; then parallel=(-fork="$jobs"); fi
set +e
"$build/engine_fuzz" "${parallel[@]}" -max_total_time="$seconds" -max_len=4096 -timeout=5 -rss_limit_mb=2048 \
    -dict=tests/fuzz/engine.dict -print_final_stats=1 -artifact_prefix="$build/artifacts/" \
    "$build/corpus" tests/fuzz/corpus 2>&1 | tee "$build/last_run.log" | grep -v '^#[0-9]*.*\(NEW\|REDUCE\|pulse\)'
status=${PIPESTATUS[0]}
set -e
grep -E 'stat::number_of_executed_units|stat::peak_rss_mb' "$build/last_run.log" || true
exit "$status"
