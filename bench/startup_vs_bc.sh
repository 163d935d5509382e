#!/usr/bin/env bash
# Start-up cost: `kalvox-calc 1` against `bc -l` on an empty input, each started
# as a whole process many times in a row. Usage: bench/startup_vs_bc.sh [build-dir] [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
runs="${2:-500}"
calc="$build/kalvox-calc"
elapsed() {
    local start end
    start=$(date +%s.%N)
    for ((i = 0; i < runs; i++)); do "$@" >/dev/null; done
    end=$(date +%s.%N)
    echo "($end - $start) * 1000 / $runs" | bc -l
}
printf 'kalvox-calc 1:       %.3f ms per process\n' "$(elapsed "$calc" 1)"
printf 'bc -l </dev/null:    %.3f ms per process\n' "$(elapsed bc -l </dev/null)"
