#!/bin/sh
# kalvox-calc --phasors writes a well-formed SVG file with one arrow (one path) per
# expression, and a dashed sum more with --head-to-tail; an expression that fails
# leaves no file behind.
# Usage: check_phasor_svg.sh [EMULATOR] KALVOX_CALC
set -eu
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "check_phasor_svg: $*" >&2; exit 1; }

"$@" --phasors "$dir/three.svg" 230 "230ej-120" "230ej120" "3+j4" "-5" >/dev/null ||
    fail "kalvox-calc failed"
xmllint --noout "$dir/three.svg" || fail "three.svg is not well-formed XML"
paths=$(grep -o '<path ' "$dir/three.svg" | wc -l)
[ "$paths" -eq 5 ] || fail "three.svg holds $paths paths, not 5"
grep -q '230∠-120°' "$dir/three.svg" || fail "three.svg lacks the label 230∠-120°"

"$@" --head-to-tail --phasors "$dir/chain.svg" "230" "200ej-110" "a<b" >/dev/null 2>&1 &&
    fail "an expression that fails did not set the exit status"
[ ! -e "$dir/chain.svg" ] || fail "a diagram was written although an expression failed"

"$@" --head-to-tail --phasors="$dir/chain.svg" "230" "200ej-110" "250ej125" >/dev/null ||
    fail "kalvox-calc --head-to-tail failed"
xmllint --noout "$dir/chain.svg" || fail "chain.svg is not well-formed XML"
[ "$(grep -o 'class="phasor"' "$dir/chain.svg" | wc -l)" -eq 3 ] || fail "chain.svg: not 3 arrows"
[ "$(grep -o 'class="phasor-sum"' "$dir/chain.svg" | wc -l)" -eq 1 ] || fail "chain.svg: no sum"
echo "check_phasor_svg: ok"
