#!/usr/bin/env bash
# Takes the README's screenshot of the calculator window: starts the program on a virtual X
# display (Xvfb), waits until its window is shown, types an expression and presses Enter,
# then saves the window as a PNG. Run it again after a change of the layout.
#
# Usage: scripts/screenshot.sh [PROGRAM] [OUTPUT]
#   PROGRAM  the calculator to start (default build/kalvox; /usr/bin/kalvox for the package)
#   OUTPUT   the PNG to write (default docs/screenshot.png)
# KALVOX_SCREENSHOT_EXPR sets the expression typed before the picture ("" types nothing).
set -euo pipefail
cd "$(dirname "$0")/.."

program=${1:-build/kalvox}
output=${2:-docs/screenshot.png}
expression=${KALVOX_SCREENSHOT_EXPR-230/(3+j4)}

for tool in xvfb-run xwininfo import; do
    if ! command -v "$tool" >/dev/null; then
        echo "screenshot: $tool is missing; run scripts/setup.sh" >&2
        exit 1
    fi
done
if [ ! -x "$program" ] && ! command -v "$program" >/dev/null; then
    echo "screenshot: no program $program; build it first (scripts/build.sh)" >&2
    exit 1
fi

# First pass: start a private X server and run this script again inside it.
if [ -z "${KALVOX_SCREENSHOT_DISPLAY:-}" ]; then
    exec xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24 -dpi 96" \
        env KALVOX_SCREENSHOT_DISPLAY=1 KALVOX_SCREENSHOT_EXPR="$expression" \
        bash "$0" "$program" "$output"
fi

# Second pass, on the virtual display. The interface is Chinese: the locale only affects
# the Qt standard dialogs, the fonts come from fonts-wqy-microhei.
export LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
"$program" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; rm -rf "$XDG_RUNTIME_DIR"' EXIT

# The main window is the viewable top-level window whose WM_CLASS instance is "kalvox".
window=""
for _ in $(seq 1 100); do
    if ! kill -0 "$pid" 2>/dev/null; then
        echo "screenshot: $program ended before its window appeared" >&2
        exit 1
    fi
    for id in $(xwininfo -root -children 2>/dev/null |
                sed -n 's/^ *\(0x[0-9a-f]*\) .*("kalvox" .*/\1/p'); do
        if xwininfo -id "$id" | grep -q "Map State: IsViewable"; then
            window=$id
            break
        fi
    done
    [ -n "$window" ] && break
    sleep 0.2
done
if [ -z "$window" ]; then
    echo "screenshot: no kalvox window appeared within 20 seconds" >&2
    exit 1
fi

# The focus starts in the input box; type the expression and press Enter ("=") when xdotool
# is there, otherwise the picture shows the window as it starts.
if [ -n "$expression" ]; then
    if command -v xdotool >/dev/null; then
        xdotool windowfocus --sync "$window" 2>/dev/null || true
        xdotool type --delay 30 "$expression"
        xdotool key Return
    else
        echo "screenshot: xdotool is missing, the window is shown as it starts" >&2
    fi
fi
sleep 1  # let the window finish painting

mkdir -p "$(dirname "$output")"
# No time stamps in the file, so an unchanged window gives an unchanged PNG.
import -window "$window" -strip -define png:exclude-chunks=date,time "$output"
echo "screenshot: wrote $output ($(identify -format '%wx%h' "$output"))"
