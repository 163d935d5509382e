#!/bin/sh
# kalvox-calc reads standard input as UTF-8 lines (CR LF or LF), a byte order mark
# at the start skipped, and writes UTF-8 lines ending in LF.
# Usage: check_calc_stdin.sh [EMULATOR] KALVOX_CALC
set -eu
expected="$(printf '10ej30=10ej30.0000000000011\n2*3=6\n2.5.5=错误:无法识别的数“2.5.5”。')"
got="$(printf '\357\273\27710∠30°\r\n2*3\r\n2.5.5\r\n' | "$@" --echo || true)"
if [ "$got" != "$expected" ]; then
    echo "expected:"; echo "$expected"; echo "got:"; echo "$got"
    exit 1
fi
