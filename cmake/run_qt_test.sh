#!/bin/sh
# Runs a cross-built Qt Test program under the emulator with its report in a file,
# then prints the report: under Wine, Qt Test writes to the debugger's channel
# (OutputDebugString), which CTest never sees.
# Usage: run_qt_test.sh EMULATOR PROGRAM [ARGUMENTS...]
set -u
emulator="$1"
program="$2"
shift 2
report="$(mktemp)"
"$emulator" "$program" "$@" -o "$report,txt"
status=$?
cat "$report"
rm -f "$report"
exit "$status"
