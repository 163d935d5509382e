#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what landed: every expected file in its
# GNUInstallDirs place, nothing else, installed programs that run on their own, and launcher,
# metainfo, icons and manual pages that agree with one another.
# Usage: check_install.sh BUILD_DIR VERSION WITH_GUI(0|1) APP_ID
set -uo pipefail
build=$1 version=$2 with_gui=$3 app_id=$4
export LC_ALL=C.UTF-8 QT_QPA_PLATFORM=offscreen

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failures=0
pass() { echo "ok   $1"; }
fail() { echo "FAIL $1: $2"; failures=$((failures + 1)); }

if ! cmake --install "$build" --prefix "$prefix" >"$prefix.log" 2>&1; then
    cat "$prefix.log"; rm -f "$prefix.log"
    echo "FAIL cmake --install"; exit 1
fi
rm -f "$prefix.log"

# ---- what must land: one row a file; "gui" rows only when the window is built ----
# columns: case name | needs gui | path under the prefix | what it must be
expected_rows=(
    "calc program|0|bin/kalvox-calc|program"
    "window program|1|bin/kalvox|program"
    "calc manual page|0|share/man/man1/kalvox-calc.1.gz|gzip"
    "window manual page|1|share/man/man1/kalvox.1.gz|gzip"
    "copyright file|0|share/doc/kalvox/copyright|text"
    "launcher|1|share/applications/$app_id.desktop|text"
    "metainfo|1|share/metainfo/$app_id.metainfo.xml|xml"
    "result file MIME type|1|share/mime/packages/$app_id.xml|xml"
    "scalable icon|1|share/icons/hicolor/scalable/apps/$app_id.svg|svg"
    "16 px icon|1|share/icons/hicolor/16x16/apps/$app_id.png|png 16"
    "24 px icon|1|share/icons/hicolor/24x24/apps/$app_id.png|png 24"
    "32 px icon|1|share/icons/hicolor/32x32/apps/$app_id.png|png 32"
    "48 px icon|1|share/icons/hicolor/48x48/apps/$app_id.png|png 48"
    "64 px icon|1|share/icons/hicolor/64x64/apps/$app_id.png|png 64"
    "128 px icon|1|share/icons/hicolor/128x128/apps/$app_id.png|png 128"
    "256 px icon|1|share/icons/hicolor/256x256/apps/$app_id.png|png 256"
)
expected_paths=()
for row in "${expected_rows[@]}"; do
    IFS='|' read -r name gui path kind <<<"$row"
    if [ "$gui" = 1 ] && [ "$with_gui" != 1 ]; then continue; fi
    expected_paths+=("$path")
    file="$prefix/$path"
    if [ ! -f "$file" ]; then fail "$name" "$path is missing"; continue; fi
    what=$(file -b "$file")
    case $kind in
        program) [ -x "$file" ] && [[ $what == ELF* ]] || { fail "$name" "not an executable: $what"; continue; } ;;
        gzip) [[ $what == gzip* ]] || { fail "$name" "not gzipped: $what"; continue; } ;;
        svg) [[ $what == SVG* ]] || { fail "$name" "not SVG: $what"; continue; } ;;
        xml) [[ $what == *XML* ]] || { fail "$name" "not XML: $what"; continue; } ;;
        png*) size=${kind#png }
              [[ $what == "PNG image data, $size x $size,"* ]] ||
                  { fail "$name" "not a ${size}x$size PNG: $what"; continue; } ;;
        text) [ -s "$file" ] || { fail "$name" "empty"; continue; } ;;
    esac
    pass "$name"
done

# ---- nothing else: no headers, static libraries or test programs in the package ----
extra=$(cd "$prefix" && find . -type f -printf '%P\n' | sort |
        grep -vxF -f <(printf '%s\n' "${expected_paths[@]}") || true)
if [ -n "$extra" ]; then fail "no stray files" "unexpected files installed:"$'\n'"$extra"
else pass "no stray files"; fi

# ---- the installed programs run from the prefix ----
calc="$prefix/bin/kalvox-calc"
if [ -x "$calc" ]; then
    out=$("$calc" --version 2>&1)
    [ "$out" = "kalvox-calc $version" ] && pass "kalvox-calc --version" ||
        fail "kalvox-calc --version" "printed '$out', expected 'kalvox-calc $version'"
    out=$("$calc" '1+2*3' 2>&1)
    [ "$out" = 7 ] && pass "installed kalvox-calc evaluates" ||
        fail "installed kalvox-calc evaluates" "1+2*3 printed '$out'"
fi
if [ "$with_gui" = 1 ] && [ -x "$prefix/bin/kalvox" ]; then
    out=$("$prefix/bin/kalvox" --version 2>/dev/null)
    [ "$out" = "kalvox $version" ] && pass "kalvox --version" ||
        fail "kalvox --version" "printed '$out', expected 'kalvox $version'"
fi

# ---- the files agree with one another ----
page="$prefix/share/man/man1/kalvox-calc.1.gz"
if [ -f "$page" ]; then
    zcat "$page" | grep -q "^\.TH KALVOX-CALC 1 .*\"Kalvox $version\"" &&
        pass "manual page carries the version" ||
        fail "manual page carries the version" "no .TH line with Kalvox $version"
fi

if [ "$with_gui" = 1 ]; then
    desktop="$prefix/share/applications/$app_id.desktop"
    metainfo="$prefix/share/metainfo/$app_id.metainfo.xml"
    if [ -f "$desktop" ]; then
        exec_cmd=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
        [ -x "$prefix/bin/$exec_cmd" ] && pass "launcher Exec names an installed program" ||
            fail "launcher Exec names an installed program" "Exec=$exec_cmd not in bin/"
        # The installed launcher and MIME package agree on the type of result files.
        mime_pkg="$prefix/share/mime/packages/$app_id.xml"
        if [ -f "$mime_pkg" ] && command -v update-mime-database >/dev/null; then
            if out=$(bash "$(dirname "$0")/check_mime.sh" "$mime_pkg" "$desktop" 2>&1); then
                pass "installed launcher opens the installed MIME type"
            else
                fail "installed launcher opens the installed MIME type" "$out"
            fi
        fi
        icon=$(sed -n 's/^Icon=//p' "$desktop")
        [ "$icon" = "$app_id" ] && [ -f "$prefix/share/icons/hicolor/48x48/apps/$icon.png" ] &&
            pass "launcher Icon is an installed icon" ||
            fail "launcher Icon is an installed icon" "Icon=$icon"
    fi
    if [ -f "$metainfo" ]; then
        launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$metainfo")
        [ "$launchable" = "$app_id.desktop" ] && pass "metainfo launchable is the launcher" ||
            fail "metainfo launchable is the launcher" "launchable=$launchable"
        newest=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo" | head -n1)
        [ "$newest" = "$version" ] && pass "metainfo newest release is this version" ||
            fail "metainfo newest release is this version" "newest release $newest, project $version"
        # validate-tree checks the installed metainfo together with its launcher and icons.
        if command -v appstreamcli >/dev/null; then
            if out=$(appstreamcli validate-tree --no-net "$prefix" 2>&1) &&
                    ! grep -qE '^(E|W): ' <<<"$out"; then
                pass "appstreamcli validate-tree"
            else
                fail "appstreamcli validate-tree" "$out"
            fi
        fi
    fi
fi

echo "install check: $failures failure(s)"
[ "$failures" -eq 0 ]
