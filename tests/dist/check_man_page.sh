#!/usr/bin/env bash
# Checks the kalvox-calc manual page: it renders without a troff warning, and it documents the
# same options as the program's --help, in both directions, so the two cannot drift apart.
# Usage: check_man_page.sh PAGE KALVOX_CALC
set -uo pipefail
page=$1 calc=$2
export LC_ALL=C.UTF-8 MANWIDTH=80 MANROFFSEQ=''
failures=0
pass() { echo "ok   $1"; }
fail() { echo "FAIL $1: $2"; failures=$((failures + 1)); }

warnings=$(man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
[ -z "$warnings" ] && pass "renders without warnings" || fail "renders without warnings" "$warnings"

rendered=$(man -l "$page" 2>/dev/null | col -b)
for section in NAME SYNOPSIS DESCRIPTION OPTIONS "EXIT STATUS" EXAMPLES "SEE ALSO"; do
    grep -qx "$section" <<<"$rendered" && pass "section $section" ||
        fail "section $section" "missing"
done

help=$("$calc" --help 2>&1)
help_rc=$?
[ "$help_rc" -eq 0 ] && pass "--help exits 0" || fail "--help exits 0" "exit code $help_rc"

# Options as words: the --long and -x forms.
options_in() { grep -oE '(^|[[:space:],[|])--?[a-z][a-z-]*' | grep -oE -- '--?[a-z][a-z-]*' | sort -u; }
help_options=$(options_in <<<"$help")
# The page's options are the tags of its OPTIONS list: the line after each .TP.
page_options=$(sed -n '/^\.SH OPTIONS/,/^\.SH /p' "$page" | sed -n '/^\.TP/{n;p}' |
               sed 's/\\-/-/g; s/"//g; s/^\.[A-Z]* *//' | options_in)
synopsis_options=$(sed -n '/^SYNOPSIS$/,/^DESCRIPTION$/p' <<<"$rendered" | options_in)

for opt in $help_options; do
    grep -qxF -- "$opt" <<<"$page_options" && pass "page documents $opt" ||
        fail "page documents $opt" "in --help but not under OPTIONS"
done
for opt in $page_options; do
    grep -qxF -- "$opt" <<<"$help_options" && pass "--help mentions $opt" ||
        fail "--help mentions $opt" "under OPTIONS but not in --help"
    grep -qxF -- "$opt" <<<"$synopsis_options" && pass "synopsis shows $opt" ||
        fail "synopsis shows $opt" "under OPTIONS but not in SYNOPSIS"
done

echo "manual page check: $failures failure(s)"
[ "$failures" -eq 0 ]
