#!/usr/bin/env bash
# Builds the Debian package with CPack into a temporary folder and checks its name, its control
# fields (the Depends line worked out by dpkg-shlibdeps above all) and its contents.
# Usage: check_package.sh BUILD_DIR VERSION WITH_GUI(0|1) [CALC_STATIC_RUNTIME(0|1)]
set -uo pipefail
build=$1 version=$2 with_gui=$3 calc_static=${4:-1}
export LC_ALL=C.UTF-8 QT_QPA_PLATFORM=offscreen

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
failures=0
pass() { echo "ok   $1"; }
fail() { echo "FAIL $1: $2"; failures=$((failures + 1)); }

if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >"$out/cpack.log" 2>&1; then
    cat "$out/cpack.log"; echo "FAIL cpack"; exit 1
fi
arch=$(dpkg --print-architecture)
deb="$out/kalvox_${version}_${arch}.deb"
if [ ! -f "$deb" ]; then
    echo "FAIL package file name: expected $(basename "$deb"), found:"; ls "$out"; exit 1
fi
pass "package file name $(basename "$deb")"

field() { dpkg-deb -f "$deb" "$1"; }
depends=$(field Depends)
# columns: case name | needs gui | control field | extended regular expression it must match
field_rows=(
    "package name|0|Package|^kalvox$"
    "version|0|Version|^${version//./\\.}$"
    "architecture|0|Architecture|^$arch$"
    "section|0|Section|^math$"
    "maintainer|0|Maintainer|^[^<]+ <[^@>]+@[^>]+>$"
    "summary|0|Description|^complex-number calculator"
    "C library from shlibdeps|1|Depends|(^|, )libc6 \\(>= "
    "C++ library from shlibdeps|1|Depends|(^|, )libstdc\\+\\+6 \\(>= "
    "Qt Widgets from shlibdeps|1|Depends|(^|, )libqt6widgets6 \\(>= "
    "Qt platform plugins|1|Depends|(^|, )qt6-qpa-plugins(,|$)"
    "a Chinese font|1|Depends|(^|, )fonts-wqy-microhei \\| "
)
for row in "${field_rows[@]}"; do
    IFS='|' read -r name gui key pattern <<<"$row"
    if [ "$gui" = 1 ] && [ "$with_gui" != 1 ]; then continue; fi
    value=$(field "$key")
    grep -qE -- "$pattern" <<<"$value" && pass "$name" ||
        fail "$name" "$key: '$value' does not match /$pattern/"
done
[ "$with_gui" = 1 ] || ! grep -q libqt6 <<<"$depends" && pass "no Qt for a command-line build" ||
    fail "no Qt for a command-line build" "Depends: $depends"

root="$out/root"
dpkg-deb -x "$deb" "$root"
files=$(cd "$root" && find . -type f -printf '/%P\n' | sort)
# columns: case name | needs gui | path in the package
content_rows=(
    "calc program|0|/usr/bin/kalvox-calc"
    "window program|1|/usr/bin/kalvox"
    "calc manual page|0|/usr/share/man/man1/kalvox-calc.1.gz"
    "copyright|0|/usr/share/doc/kalvox/copyright"
    "launcher|1|/usr/share/applications/io.github.kalvox.Kalvox.desktop"
    "metainfo|1|/usr/share/metainfo/io.github.kalvox.Kalvox.metainfo.xml"
    "result file MIME type|1|/usr/share/mime/packages/io.github.kalvox.Kalvox.xml"
    "icon|1|/usr/share/icons/hicolor/256x256/apps/io.github.kalvox.Kalvox.png"
)
for row in "${content_rows[@]}"; do
    IFS='|' read -r name gui path <<<"$row"
    if [ "$gui" = 1 ] && [ "$with_gui" != 1 ]; then continue; fi
    grep -qxF "$path" <<<"$files" && pass "contains $name" || fail "contains $name" "$path missing"
done

# Owned by root and stripped, as a package built by dpkg-buildpackage would be.
owners=$(dpkg-deb -c "$deb" | awk '{print $2}' | sort -u)
[ "$owners" = "root/root" ] && pass "files owned by root" || fail "files owned by root" "$owners"
what=$(file -b "$root/usr/bin/kalvox-calc")
[[ $what == *", stripped"* ]] && pass "programs stripped" || fail "programs stripped" "$what"

# kalvox-calc carries its C++ runtime: no shared libstdc++ or libgcc_s to load at start-up
# (built where the toolchain has static libraries, it needs no shared library at all).
# (Sanitizer builds keep the shared libraries their runtimes expect.)
if [ "$calc_static" = 1 ]; then
    needed=$(objdump -p "$root/usr/bin/kalvox-calc" 2>/dev/null | awk '$1 == "NEEDED" {print $2}')
    ! grep -qE '^(libstdc\+\+|libgcc_s)' <<<"$needed" && pass "kalvox-calc without shared C++ runtime" ||
        fail "kalvox-calc without shared C++ runtime" "needs: $(echo $needed)"
fi

# The packaged program works from the unpacked tree.
got=$("$root/usr/bin/kalvox-calc" --version 2>&1)
[ "$got" = "kalvox-calc $version" ] && pass "packaged kalvox-calc runs" ||
    fail "packaged kalvox-calc runs" "--version printed '$got'"

echo "package check: $failures failure(s)"
[ "$failures" -eq 0 ]
