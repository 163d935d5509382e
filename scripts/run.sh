#!/usr/bin/env bash
# Sets up the machine, builds Kalvox and starts the calculator window.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
exec ./build/kalvox "$@"
