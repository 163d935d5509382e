#!/usr/bin/env bash
# Kalvox in a browser: the engine and the panel model built with emscripten into one
# HTML file, build-web/kalvox.html, that opens from disk without a server or network.
#
#   bash scripts/web.sh [build]     install what is missing, build the page
#   bash scripts/web.sh serve       build, then serve it on 127.0.0.1, port 8080
#   bash scripts/web.sh test        build, then drive it in headless Chromium (selenium)
#   bash scripts/web.sh bench       build, then measure how fast a key answers
#   bash scripts/web.sh screenshot  build, then take docs/screenshot-web.png
#
# The tests compare the page with kalvox-calc and the desktop result-file writer, so
# `test` also builds those two in build/ (configured by scripts/build.sh's settings if
# build/ does not exist yet).
set -euo pipefail
cd "$(dirname "$0")/.."
action="${1:-build}"

page=build-web/kalvox.html
max_bytes=$((2 * 1024 * 1024))

# Debian's emscripten runs its JavaScript tools with node and finds their modules
# (acorn) in Debian's node folder; a node from elsewhere does not look there.
export NODE_PATH="/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}"

setup() {
    bash scripts/setup.sh emscripten chromium chromium-driver python3-selenium
}

build_page() {
    # Debian ships emscripten's system libraries built, in a frozen cache
    # (/usr/share/emscripten/cache): the first build builds and downloads nothing.
    emcmake cmake -S . -B build-web -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DKALVOX_WITH_GUI=OFF -DKALVOX_WITH_TESTS=OFF -DKALVOX_WITH_BENCH=OFF >/dev/null
    cmake --build build-web -j"$(nproc)"
    local size
    size=$(stat -c %s "$page")
    if ((size > max_bytes)); then
        echo "web: $page is $size bytes, more than $max_bytes" >&2
        exit 1
    fi
    echo "web: $page ($size bytes)"
}

# kalvox-calc and the desktop writer's reference program, for the tests.
build_references() {
    if [ ! -f build/CMakeCache.txt ]; then
        cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-Release}"
    fi
    cmake --build build -j"$(nproc)" --target kalvox-calc web_result_file_reference
}

browser_env() {
    export KALVOX_PAGE="$PWD/$page"
    export KALVOX_CALC="$PWD/build/kalvox-calc"
    export KALVOX_RESULT_REFERENCE="$PWD/build/web_result_file_reference"
    export LC_ALL=C.UTF-8
}

case "$action" in
    build)
        setup
        build_page
        ;;
    serve)
        setup
        build_page
        echo "web: serving build-web/ on 127.0.0.1, port 8080: open kalvox.html there (Ctrl+C ends)"
        exec /usr/bin/python3 -m http.server 8080 --bind 127.0.0.1 --directory build-web
        ;;
    test)
        setup
        build_page
        build_references
        browser_env
        /usr/bin/python3 -m unittest discover -s tests/web -p 'test_*.py' -v
        ;;
    bench)
        setup
        build_page
        build_references
        browser_env
        /usr/bin/python3 bench/web_key_response.py
        ;;
    screenshot)
        setup
        build_page
        browser_env
        (cd tests/web && KALVOX_SCREENSHOT="$OLDPWD/docs/screenshot-web.png" \
            /usr/bin/python3 -m unittest screenshot)
        echo "web: docs/screenshot-web.png and docs/screenshot-web-phone.png"
        ;;
    *)
        echo "usage: scripts/web.sh [build|serve|test|bench|screenshot]" >&2
        exit 2
        ;;
esac
