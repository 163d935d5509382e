#!/bin/sh
# kalvox without any display: one line naming xvfb-run on stderr, exit status 1.
out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$1" 2>&1)
status=$?
echo "$out"
[ "$status" -eq 1 ] || { echo "exit status $status, expected 1"; exit 1; }
[ "$(printf '%s\n' "$out" | wc -l)" -eq 1 ] || { echo "expected one line"; exit 1; }
printf '%s\n' "$out" | grep -q 'xvfb-run' || { echo "no mention of xvfb-run"; exit 1; }
