#!/usr/bin/env bash
# Checks the MIME package of result files together with the launcher that opens them: the XML is
# well formed, update-mime-database accepts it without a word, the database it builds maps
# "*.jsq" to the declared type with its comments, and the launcher lists that type and takes a
# file argument.
# Usage: check_mime.sh MIME_XML DESKTOP_FILE
set -uo pipefail
mime_xml=$1 desktop=$2
export LC_ALL=C.UTF-8

command -v xmllint >/dev/null || { echo "xmllint not found: run scripts/setup.sh"; exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
pass() { echo "ok   $1"; }
fail() { echo "FAIL $1: $2"; failures=$((failures + 1)); }

# One value of the package file, by XPath in the shared-mime-info namespace.
ns="http://www.freedesktop.org/standards/shared-mime-info"
value() { xmllint --xpath "$1" - 2>/dev/null <<<"$(sed "s|xmlns=\"$ns\"||" "$mime_xml")"; }

if out=$(xmllint --noout "$mime_xml" 2>&1); then pass "well-formed XML"
else fail "well-formed XML" "$out"; fi
grep -q "<mime-info xmlns=\"$ns\">" "$mime_xml" && pass "shared-mime-info namespace" ||
    fail "shared-mime-info namespace" "no <mime-info xmlns=\"$ns\">"

type=$(value 'string(/mime-info/mime-type/@type)')
# columns: case name | XPath | expected value
rows=(
    "one type declared|count(/mime-info/mime-type)|1"
    "type name|string(/mime-info/mime-type/@type)|application/x-kalvox-result"
    "one glob|count(/mime-info/mime-type/glob)|1"
    "glob *.jsq|string(/mime-info/mime-type/glob/@pattern)|*.jsq"
    "comment|string(/mime-info/mime-type/comment[not(@xml:lang)])|Kalvox 计算结果"
    "zh_CN comment|string(/mime-info/mime-type/comment[@xml:lang='zh_CN'])|Kalvox 计算结果"
    "plain text underneath|string(/mime-info/mime-type/sub-class-of/@type)|text/plain"
)
for row in "${rows[@]}"; do
    IFS='|' read -r name xpath expected <<<"$row"
    got=$(value "$xpath")
    [ "$got" = "$expected" ] && pass "$name" || fail "$name" "'$got', expected '$expected'"
done

# The database is built where the XDG search path points, so the tool has nothing to remark.
mkdir -p "$work/share/mime/packages"
cp "$mime_xml" "$work/share/mime/packages/"
if out=$(XDG_DATA_HOME="$work/share" XDG_DATA_DIRS="$work/share" \
         update-mime-database "$work/share/mime" 2>&1) && [ -z "$out" ]; then
    pass "update-mime-database accepts it"
else
    fail "update-mime-database accepts it" "${out:-exit status $?}"
fi
grep -qxF "50:$type:*.jsq" "$work/share/mime/globs2" 2>/dev/null &&
    pass "database maps *.jsq to $type" ||
    fail "database maps *.jsq to $type" "$(cat "$work/share/mime/globs2" 2>/dev/null)"
grep -qF "<comment xml:lang=\"zh_CN\">Kalvox 计算结果</comment>" \
        "$work/share/mime/$type.xml" 2>/dev/null &&
    pass "database carries the zh_CN comment" ||
    fail "database carries the zh_CN comment" "not in $type.xml"

mime_types=$(sed -n 's/^MimeType=//p' "$desktop")
tr ';' '\n' <<<"$mime_types" | grep -qxF "$type" && pass "launcher lists $type" ||
    fail "launcher lists $type" "MimeType=$mime_types"
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
[[ " $exec_line " == *" %f "* ]] && pass "launcher takes a file (%f)" ||
    fail "launcher takes a file (%f)" "Exec=$exec_line"

echo "mime check: $failures failure(s)"
[ "$failures" -eq 0 ]
