#!/usr/bin/env bash
# Checks the kalvox manual page: it renders without a troff warning and holds the user's guide
# with each of its parts.
# Usage: check_window_man_page.sh PAGE
set -uo pipefail
page=$1
export LC_ALL=C.UTF-8 MANWIDTH=80 MANROFFSEQ=''
failures=0
pass() { echo "ok   $1"; }
fail() { echo "FAIL $1: $2"; failures=$((failures + 1)); }

warnings=$(man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
[ -z "$warnings" ] && pass "renders without warnings" || fail "renders without warnings" "$warnings"

rendered=$(man -l "$page" 2>/dev/null | col -b)
for heading in "USING THE WINDOW" "   The input and output boxes" "   The keys" \
    "   The function modes and the inverse box" "   What typing enters" "   Registers and tags" \
    "   The result file" "   Keyboard shortcuts" "   History" "   Pasted text" "   Known limits"; do
    grep -qxF "$heading" <<<"$rendered" && pass "heading${heading}" || fail "heading${heading}" "missing"
done

echo "manual page check: $failures failure(s)"
[ "$failures" -eq 0 ]
