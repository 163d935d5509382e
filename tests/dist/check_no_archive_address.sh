#!/usr/bin/env bash
# Checks that the build's scripts take package sources from the machine they run on: no
# address (of a package archive or anything else), no release's suite name and no
# multiarch path is written into scripts/, cmake/ or .ci/, comments included.
# Usage: check_no_archive_address.sh SOURCE_DIR
set -uo pipefail
source_dir=$1
export LC_ALL=C.UTF-8

failures=0
pass() { echo "ok   $1"; }
fail() { echo "FAIL $1: $2"; failures=$((failures + 1)); }

folders=()
for folder in scripts cmake .ci; do
    [ -d "$source_dir/$folder" ] && folders+=("$source_dir/$folder")
done
((${#folders[@]} == 3)) || fail "the scripts' folders" "found only ${folders[*]} in $source_dir"

# columns (between " ; "): what | extended regular expression | a line it must catch (so
# that a pattern which catches nothing cannot pass)
rows=(
    "address ; [A-Za-z][A-Za-z0-9+.-]*:// ; URIs: mirror+https://mirror.kalvox.invalid/debian"
    "release's suite ; \\b(buster|bullseye|bookworm|trixie|forky)(-[a-z]+)?\\b ; Suites: bookworm-security"
    "multiarch path ; [a-z0-9_]+-linux-gnu[a-z]* ; -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/aarch64-linux-gnu/cmake"
)
for row in "${rows[@]}"; do
    what=${row%% ; *} rest=${row#* ; }
    pattern=${rest%% ; *} sample=${rest#* ; }
    if ! grep -qE "$pattern" <<<"$sample"; then
        fail "$what" "the pattern does not catch \"$sample\""
        continue
    fi
    if hits=$(grep -rnIE "$pattern" "${folders[@]}"); then fail "no $what in the scripts" $'\n'"$hits"
    else pass "no $what in the scripts"; fi
done

if ((failures)); then
    echo "$failures failed"
    exit 1
fi
