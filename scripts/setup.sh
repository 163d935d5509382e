#!/usr/bin/env bash
# Installs what building, running and testing Kalvox needs on Debian 12, and the
# packages named as arguments (scripts/windows.sh names the cross-build's own).
# Packages already present are left alone, so a prepared machine needs no network.
set -euo pipefail

packages=(
    g++ cmake ninja-build pkgconf
    libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev qt6-translations-l10n
    fonts-wqy-microhei
    xvfb xauth
    clang libclang-rt-14-dev clang-format
    desktop-file-utils appstream dpkg-dev file
    # the checks of the result-file MIME type: update-mime-database and xmllint
    shared-mime-info libxml2-utils
    x11-utils xdotool imagemagick man-db
    bc
    "$@"
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if ((${#missing[@]})); then
    echo "setup: installing ${missing[*]}"
    SUDO=""
    if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
