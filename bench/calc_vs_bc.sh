#!/usr/bin/env bash
# Times kalvox-calc and `bc -l` on the same 100,000 typical expressions read from
# standard input, one process each. Usage: bench/calc_vs_bc.sh [build-dir] [lines]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
lines="${2:-100000}"
input="$(mktemp)"
trap 'rm -f "$input"' EXIT
awk -v n="$lines" 'BEGIN { for (i = 0; i < n; i++) printf "%d*%d+%d/%d-%d\n", 12 + i % 50, 34 + i % 7, 56, 78 + i % 3, 9 }' >"$input"
echo "$lines lines like $(head -1 "$input")"
start=$(date +%s.%N); "$build/kalvox-calc" <"$input" >/dev/null; end=$(date +%s.%N)
printf 'kalvox-calc: %.3f s\n' "$(echo "$end - $start" | bc -l)"
start=$(date +%s.%N); bc -l <"$input" >/dev/null; end=$(date +%s.%N)
printf 'bc -l:       %.3f s\n' "$(echo "$end - $start" | bc -l)"
