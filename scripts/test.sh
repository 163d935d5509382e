#!/usr/bin/env bash
# Sets up the machine, builds Kalvox and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
export LC_ALL=C.UTF-8 QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j"$(nproc)"
