#!/usr/bin/env bash
# Cross-builds Kalvox for 64-bit Windows on Debian 12 and tests it under Wine.
#
#   bash scripts/windows.sh [build]   kalvox.exe and kalvox-calc.exe in build-windows/
#   bash scripts/windows.sh test      every test that can run on Windows, under Wine
#   bash scripts/windows.sh package   the NSIS installer and the portable zip
#   bash scripts/windows.sh qt        only the static Qt and GoogleTest for MinGW
#
# Qt for MinGW is built once into ~/.cache/kalvox/ from Debian's Qt source package,
# fetched from the machine's own apt sources (scripts/derive_deb_src.sh),
# keyed by the Qt version, its configure options and the toolchain file; a later
# run reuses it (KALVOX_CACHE moves the cache).
set -euo pipefail
cd "$(dirname "$0")/.."
root="$(pwd)"
action="${1:-build}"

cache="${KALVOX_CACHE:-$HOME/.cache/kalvox}"
toolchain="$root/cmake/mingw-w64-x86_64.cmake"
jobs="$(nproc)"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

# --- the machine -----------------------------------------------------------------------
setup_windows_tools() {
    bash scripts/setup.sh g++-mingw-w64-x86-64-posix mingw-w64-tools wine wine64 nsis \
        zip unzip dpkg-dev xvfb xauth
}

# Qt's source package comes from where apt already takes the machine's packages: deb-src
# entries derived from its deb entries, in a file of its own. A machine with deb-src
# entries of its own is left alone.
add_source_entry() {
    local list=/etc/apt/sources.list.d/kalvox-deb-src.sources
    local sources_list="" sources_dir="" before="" status=0
    eval "$(apt-config shell sources_list Dir::Etc::sourcelist/f sources_dir Dir::Etc::sourceparts/d)"
    [ -f "$list" ] && before="$(cat "$list")"
    $SUDO bash scripts/derive_deb_src.sh "$sources_list" "$sources_dir" "$list" || status=$?
    case $status in
    0) [ "$(cat "$list")" = "$before" ] || $SUDO apt-get update -qq ;;
    3) ;;
    *) echo "windows: no deb-src entry for Qt's source package"; exit 1 ;;
    esac
}

# The folder of the machine's own CMake packages (Qt's host tools among them).
host_cmake_dir() { echo "/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake"; }

# --- the static Qt -----------------------------------------------------------------------
qt_version() { dpkg-query -W -f='${Version}\n' qt6-base-dev | sed 's/[+-].*//'; }

qt_options=(
    -static -static-runtime -release -nomake tests -nomake examples
    -no-opengl -no-dbus -no-icu -qt-zlib -qt-libpng -qt-freetype -qt-harfbuzz -qt-pcre
    -no-feature-sql -no-feature-network -no-feature-tabletevent
    -no-feature-direct2d -no-feature-directwrite3
    -submodules qtbase
)

qt_key() {
    { qt_version; echo "${qt_options[*]}"; cat "$toolchain"; } | sha256sum | cut -c1-12
}

qt_prefix() { echo "$cache/qt-$(qt_version)-mingw-static-$(qt_key)"; }
gtest_prefix() {
    local v
    v="$(dpkg-query -W -f='${Version}' googletest | sed 's/[+-].*//')"
    echo "$cache/googletest-$v-mingw-$({ echo "$v"; cat "$toolchain"; } | sha256sum | cut -c1-12)"
}

build_qt() {
    local prefix
    prefix="$(qt_prefix)"
    if [ -f "$prefix/.complete" ]; then
        echo "windows: Qt for MinGW from the cache: $prefix"
        return 0
    fi
    add_source_entry
    local work="$cache/work-qt"
    rm -rf "$work" "$prefix"
    mkdir -p "$work"
    echo "windows: fetching Qt $(qt_version)'s source package from the machine's apt sources"
    (cd "$work" && apt-get source -qq "qt6-base=$(dpkg-query -W -f='${Version}' qt6-base-dev)")
    local src
    src="$(find "$work" -maxdepth 1 -type d -name 'qt6-base-*' | head -n1)"
    cp "$toolchain" "$work/toolchain.cmake"
    mkdir -p "$work/build"
    echo "windows: configuring Qt for MinGW (the build takes 10 to 20 minutes on two cores)"
    (cd "$work/build" && "$src/configure" -prefix "$prefix" -xplatform win32-g++ \
        "${qt_options[@]}" -- -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$work/toolchain.cmake" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="$(host_cmake_dir)" \
        -DQT_BUILD_TOOLS_WHEN_CROSSCOMPILING=OFF) >"$work/configure.log" 2>&1 ||
        { tail -n 60 "$work/configure.log"; exit 1; }
    cmake --build "$work/build" --parallel "$jobs" >"$work/build.log" 2>&1 ||
        { tail -n 60 "$work/build.log"; exit 1; }
    cmake --install "$work/build" >"$work/install.log" 2>&1 ||
        { tail -n 60 "$work/install.log"; exit 1; }
    touch "$prefix/.complete"
    rm -rf "$work"
    echo "windows: Qt for MinGW built into $prefix"
}

build_gtest() {
    local prefix
    prefix="$(gtest_prefix)"
    if [ -f "$prefix/.complete" ]; then
        return 0
    fi
    local work="$cache/work-gtest"
    rm -rf "$work" "$prefix"
    cmake -S /usr/src/googletest -B "$work" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$prefix" \
        -Dgtest_disable_pthreads=OFF -DCMAKE_EXE_LINKER_FLAGS=-static >"$cache/gtest.log" 2>&1 ||
        { tail -n 40 "$cache/gtest.log"; exit 1; }
    cmake --build "$work" --parallel "$jobs" >>"$cache/gtest.log" 2>&1 ||
        { tail -n 40 "$cache/gtest.log"; exit 1; }
    cmake --install "$work" >>"$cache/gtest.log" 2>&1
    touch "$prefix/.complete"
    rm -rf "$work"
}

# --- Kalvox ---------------------------------------------------------------------------
build_dir="$root/build-windows"
export KALVOX_WINEPREFIX="$build_dir/wineprefix"
wine_run() { "$root/cmake/wine_emulator.sh" "$@"; }

build_kalvox() {
    local qt gtest
    qt="$(qt_prefix)"
    gtest="$(gtest_prefix)"
    cmake -S "$root" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DKALVOX_WINDOWS_PREFIXES="$qt;$gtest" -DCMAKE_PREFIX_PATH="$qt;$gtest" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="$(host_cmake_dir)" \
        -DCMAKE_CROSSCOMPILING_EMULATOR="$root/cmake/wine_emulator.sh" \
        -DKALVOX_WITH_BENCH=OFF >"$build_dir.configure.log" 2>&1 ||
        { tail -n 60 "$build_dir.configure.log"; exit 1; }
    rm -f "$build_dir.configure.log"
    cmake --build "$build_dir" --parallel "$jobs"
    echo "windows: built $build_dir/kalvox.exe and $build_dir/kalvox-calc.exe"
}

# A Wine prefix of the build's own, made once: its first start takes a while.
wine_prefix() {
    if [ ! -f "$KALVOX_WINEPREFIX/system.reg" ]; then
        echo "windows: preparing the Wine prefix $KALVOX_WINEPREFIX"
        wine_run wineboot --init >/dev/null 2>&1 || true
        WINEPREFIX="$KALVOX_WINEPREFIX" wineserver --wait || true
    fi
    # Wine brings no Chinese font: WenQuanYi Micro Hei (fonts-wqy-microhei, which the
    # Linux window uses too) goes into the prefix's Fonts folder, as a Chinese Windows
    # has its own.
    ln -sf /usr/share/fonts/truetype/wqy/wqy-microhei.ttc "$KALVOX_WINEPREFIX/drive_c/windows/Fonts/"
    # The offscreen platform of the window tests reads its fonts from a folder of its own;
    # Wine passes no QT_ variables from Linux, but sets those of HKCU\Environment.
    wine_run reg add 'HKCU\Environment' /v QT_QPA_FONTDIR /d 'Z:\usr\share\fonts\truetype\wqy' \
        /f >/dev/null 2>&1
}

run_tests() {
    wine_prefix
    # The window tests use the offscreen platform; Wine still wants a display for
    # the message windows every Windows program has.
    xvfb-run --auto-servernum ctest --test-dir "$build_dir" --output-on-failure \
        --parallel "$jobs" --timeout 600
}

# The installer installs silently into a fresh Wine prefix (a machine that never had
# Kalvox), its kalvox-calc.exe evaluates, the file type is registered, and it uninstalls.
check_installer() {
    local setup="$1"
    local prefix="$build_dir/wineprefix-install"
    rm -rf "$prefix"
    local saved="$KALVOX_WINEPREFIX"
    export KALVOX_WINEPREFIX="$prefix"
    wine_run wineboot --init >/dev/null 2>&1 || true
    local target='C:\Kalvox-check'
    local unix="$prefix/drive_c/Kalvox-check"
    wine_run "$setup" /S "/D=$target"
    WINEPREFIX="$prefix" wineserver --wait || true
    [ -f "$unix/kalvox.exe" ] || { echo "windows: the installer put no kalvox.exe into $target"; exit 1; }
    local got
    got="$(wine_run "$unix/kalvox-calc.exe" --echo '10∠30°' 2ej30*3+j4)"
    local expected=$'10ej30=10ej30.0000000000011\n2ej30*3+j4=8.71779788708135ej53.4132244463687'
    if [ "$got" != "$expected" ]; then
        echo "windows: the installed kalvox-calc.exe printed:"; echo "$got"; exit 1
    fi
    if ! wine_run reg query 'HKLM\Software\Classes\Kalvox.ResultFile\shell\open\command' 2>/dev/null |
        grep -q 'kalvox.exe'; then
        echo "windows: the installer did not register the .jsq file type"; exit 1
    fi
    wine_run "$unix/Uninstall.exe" /S
    WINEPREFIX="$prefix" wineserver --wait || true
    local waited=0
    while [ -f "$unix/kalvox.exe" ] && ((waited < 30)); do sleep 1; waited=$((waited + 1)); done
    if [ -f "$unix/kalvox.exe" ]; then echo "windows: the uninstaller left kalvox.exe"; exit 1; fi
    export KALVOX_WINEPREFIX="$saved"
    rm -rf "$prefix"
    echo "windows: the installer installs silently, kalvox-calc.exe works, .jsq opens with"
    echo "windows: kalvox.exe, and the uninstaller removes it"
}

package() {
    rm -f "$build_dir"/kalvox-*-win64*.exe "$build_dir"/kalvox-*-win64*.zip
    (cd "$build_dir" && cpack -G "NSIS;ZIP" >"$build_dir/cpack.log" 2>&1) ||
        { tail -n 60 "$build_dir/cpack.log"; find "$build_dir/_CPack_Packages" -name NSISOutput.log -exec tail -n 40 {} \; ; exit 1; }
    local setup zip
    setup="$(ls "$build_dir"/kalvox-*-win64-setup.exe)"
    zip="$(ls "$build_dir"/kalvox-*-win64.zip)"
    unzip -l "$zip"
    check_installer "$setup"
    ls -l "$setup" "$zip"
}

mkdir -p "$cache"
case "$action" in
qt)
    setup_windows_tools
    build_qt
    build_gtest
    ;;
build)
    setup_windows_tools
    build_qt
    build_gtest
    build_kalvox
    ;;
test)
    setup_windows_tools
    build_qt
    build_gtest
    build_kalvox
    run_tests
    ;;
package)
    setup_windows_tools
    build_qt
    build_gtest
    build_kalvox
    package
    ;;
*)
    echo "usage: bash scripts/windows.sh [build|test|package|qt]" >&2
    exit 2
    ;;
esac
