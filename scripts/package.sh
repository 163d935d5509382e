#!/usr/bin/env bash
# Sets up the machine, builds Kalvox (Release) into build/ and makes the Debian package
# build/kalvox_<version>_<arch>.deb with CPack. Install it with
#   apt-get install ./build/kalvox_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh "$@"
(cd build && cpack -G DEB)
ls -1 build/kalvox_*.deb
