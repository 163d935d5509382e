#!/usr/bin/env bash
# Runs a cross-built Windows program under Wine, for CTest and for the checks of
# scripts/windows.sh. The Wine prefix lives in the build folder (KALVOX_WINEPREFIX
# moves it); Wine's own messages stay quiet and Mono/Gecko are never asked for.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
export WINEPREFIX="${KALVOX_WINEPREFIX:-$here/../build-windows/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
exec wine "$@"
