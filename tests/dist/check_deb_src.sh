#!/usr/bin/env bash
# Checks the deb-src entries scripts/derive_deb_src.sh writes for made-up package sources
# (a mirror and suites that exist nowhere), as apt itself reads them: apt-get indextargets
# lists the source indexes of the written file, and reads it together with the sources it
# came from, which fails when a deb-src entry's signing key differs from its deb entry's.
# Usage: check_deb_src.sh DERIVE_SCRIPT
set -uo pipefail
derive=$1
export LC_ALL=C.UTF-8

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
pass() { echo "ok   $1"; }
fail() { echo "FAIL $1: $2"; failures=$((failures + 1)); }

mirror=http://mirror.kalvox.invalid/debian
security=http://mirror.kalvox.invalid/debian-security
key=/usr/share/keyrings/kalvox-mirror.gpg

# --- the made-up machines: each case a sources.list and a folder of parts ------------------
case_dir() { mkdir -p "$work/$1/parts" "$work/$1/lists/partial"; echo "$work/$1"; }

dir=$(case_dir deb822)
cat >"$dir/parts/mirror.sources" <<EOF
# The mirror of this made-up machine.
Types: deb
URIs: $mirror
Suites: kalvox-stable kalvox-stable-updates
Components: main contrib
Architectures: amd64 i386
Signed-By: $key

# Types: deb-src
Types: deb
URIs: $security
Suites: kalvox-stable-security
# URIs: http://old.kalvox.invalid/debian-security
Components: main
Signed-By: $key

Types: deb
URIs: http://old.kalvox.invalid/debian
Suites: kalvox-oldstable
Components: main
Enabled: no
Signed-By: $key

Types: deb
URIs: http://old.kalvox.invalid/debian
Suites: kalvox-oldoldstable
Components: main
Enabled: False
EOF
cat >"$dir/parts/local.sources" <<EOF
types: deb
uris: http://local.kalvox.invalid/packages
suites: kalvox-local
components: main
signed-by:
 -----BEGIN PGP PUBLIC KEY BLOCK-----
 .
 mDMEZkalvoxFgkrBgEEAdpHDwEBB0Bkalvox
 -----END PGP PUBLIC KEY BLOCK-----
EOF

dir=$(case_dir one_line)
cat >"$dir/sources.list" <<EOF
# deb-src $mirror kalvox-stable main
#deb http://old.kalvox.invalid/debian kalvox-oldstable main

deb [ arch=amd64,i386 signed-by=$key ] $mirror kalvox-stable main contrib
deb [signed-by=$key check-valid-until=no] $mirror kalvox-stable-updates main # the updates
	deb [signed-by=$key]   $security   kalvox-stable-security   main
deb cdrom:[Kalvox made-up disc]/ kalvox-stable main
EOF
cat >"$dir/parts/extra.list" <<EOF
deb http://extra.kalvox.invalid/repo kalvox-extra non-free
EOF

dir=$(case_dir both_forms)
echo "deb [signed-by=$key] $mirror kalvox-stable main" >"$dir/sources.list"
printf 'Types: deb\nURIs: %s\nSuites: kalvox-stable-security\nComponents: main\nSigned-By: %s\n' \
    "$security" "$key" >"$dir/parts/security.sources"

dir=$(case_dir disabled_deb_src)
cat >"$dir/parts/mirror.sources" <<EOF
Types: deb
URIs: $mirror
Suites: kalvox-stable
Components: main
Signed-By: $key

Types: deb-src
URIs: $mirror
Suites: kalvox-stable
Components: main
Signed-By: $key
Enabled: no
EOF
echo "# deb-src $mirror kalvox-stable main" >"$dir/sources.list"

dir=$(case_dir deb_src_in_deb822)
printf 'Types: deb deb-src\nURIs: %s\nSuites: kalvox-stable\nComponents: main\n' "$mirror" \
    >"$dir/parts/mirror.sources"
dir=$(case_dir deb_src_in_one_line)
printf 'deb %s kalvox-stable main\ndeb-src %s kalvox-stable main\n' "$mirror" "$mirror" \
    >"$dir/sources.list"
dir=$(case_dir deb_src_in_list_part)
echo "deb $mirror kalvox-stable main" >"$dir/sources.list"
echo "deb-src [signed-by=$key] $mirror kalvox-stable main" >"$dir/parts/sources.list"

dir=$(case_dir only_comments)
printf '# deb %s kalvox-stable main\n\n' "$mirror" >"$dir/sources.list"
printf '# Types: deb\n# URIs: %s\n' "$mirror" >"$dir/parts/mirror.sources"
dir=$(case_dir no_sources)
rmdir "$dir/parts"

# apt's view of a folder of sources: one line per index, "TYPE SITE SUITE COMPONENT".
apt_indexes() { # PARTS_DIR LISTS_DIR SOURCES_LIST
    apt-get indextargets --no-release-info --format '$(TARGET_OF) $(SITE) $(RELEASE) $(COMPONENT)' \
        -o Dir::Etc::sourcelist="$3" -o Dir::Etc::sourceparts="$1" -o Dir::State::Lists="$2" \
        2>&1 | LC_ALL=C sort -u
}

# --- derivations that write entries ------------------------------------------------------
# columns: case | the deb-src indexes apt sees in the written file (';' between them)
rows=(
    "deb822|deb-src $mirror kalvox-stable contrib;deb-src $mirror kalvox-stable main;deb-src $mirror kalvox-stable-updates contrib;deb-src $mirror kalvox-stable-updates main;deb-src $security kalvox-stable-security main;deb-src http://local.kalvox.invalid/packages kalvox-local main"
    "one_line|deb-src $mirror kalvox-stable contrib;deb-src $mirror kalvox-stable main;deb-src $mirror kalvox-stable-updates main;deb-src $security kalvox-stable-security main;deb-src http://extra.kalvox.invalid/repo kalvox-extra non-free"
    "both_forms|deb-src $mirror kalvox-stable main;deb-src $security kalvox-stable-security main"
    "disabled_deb_src|deb-src $mirror kalvox-stable main"
)
for row in "${rows[@]}"; do
    IFS='|' read -r name expected <<<"$row"
    dir=$work/$name
    out=$work/$name.sources
    msg=$(bash "$derive" "$dir/sources.list" "$dir/parts" "$out" 2>&1)
    status=$?
    if ((status != 0)); then
        fail "$name: derived" "exit $status: $msg"
        continue
    fi
    mkdir -p "$dir/written"
    cp "$out" "$dir/written/"
    got=$(apt_indexes "$dir/written" "$dir/lists" /dev/null)
    want=$(tr ';' '\n' <<<"$expected" | LC_ALL=C sort -u)
    if [ "$got" = "$want" ]; then pass "$name: the deb-src indexes apt reads"
    else fail "$name: the deb-src indexes apt reads" $'\n'"got:"$'\n'"$got"$'\n'"expected:"$'\n'"$want"; fi
    # Read together with the machine's own sources, apt refuses a signing key or option
    # that differs between a deb entry and the deb-src entry made from it.
    cp "$out" "$dir/parts/zz-written.sources"
    both=$(apt_indexes "$dir/parts" "$dir/lists" "$dir/sources.list")
    rm "$dir/parts/zz-written.sources"
    if grep -q '^E: \|^W: ' <<<"$both"; then fail "$name: the same keys as the deb entries" "$both"
    else pass "$name: the same keys as the deb entries"; fi
done

# The key travels as it was written: a file, or a key block over several lines.
grep -c "^Signed-By: $key\$" "$work/one_line.sources" | grep -qx 3 &&
    pass "one_line: signed-by becomes Signed-By" ||
    fail "one_line: signed-by becomes Signed-By" "$(cat "$work/one_line.sources")"
grep -A4 -i '^signed-by:' "$work/deb822.sources" | grep -q '^ mDMEZkalvoxFgkrBgEEAdpHDwEBB0Bkalvox$' &&
    pass "deb822: a key block in Signed-By" ||
    fail "deb822: a key block in Signed-By" "$(cat "$work/deb822.sources")"
grep -q 'Check-Valid-Until: no' "$work/one_line.sources" && pass "one_line: other options kept" ||
    fail "one_line: other options kept" "$(cat "$work/one_line.sources")"
grep -qi 'architectures\|cdrom' "$work/one_line.sources" "$work/deb822.sources" &&
    fail "no architectures, no disc" "$(cat "$work/one_line.sources" "$work/deb822.sources")" ||
    pass "no architectures, no disc"

# --- machines left alone, and machines without sources -----------------------------------
# columns: case | expected exit status | a word of the message
rows=(
    "deb_src_in_deb822|3|deb-src entries already"
    "deb_src_in_one_line|3|deb-src entries already"
    "deb_src_in_list_part|3|deb-src entries already"
    "only_comments|1|no enabled deb entry"
    "no_sources|1|no sources"
)
for row in "${rows[@]}"; do
    IFS='|' read -r name status message <<<"$row"
    dir=$work/$name
    out=$work/$name.sources
    echo "an earlier run's entries" >"$out"
    msg=$(bash "$derive" "$dir/sources.list" "$dir/parts" "$out" 2>&1)
    got=$?
    if [ "$got" = "$status" ] && grep -q "$message" <<<"$msg"; then pass "$name: exit $status"
    else fail "$name: exit $status" "exit $got: $msg"; fi
    if [ "$status" = 3 ]; then
        [ -e "$out" ] && fail "$name: the earlier entries removed" "$out is still there" ||
            pass "$name: the earlier entries removed"
    fi
done

# The written file lies among the parts it is derived from: a second run does not take
# the entries of the first for the machine's own deb-src entries.
dir=$work/both_forms
first=$(bash "$derive" "$dir/sources.list" "$dir/parts" "$dir/parts/kalvox-deb-src.sources" 2>&1 &&
    cat "$dir/parts/kalvox-deb-src.sources")
second=$(bash "$derive" "$dir/sources.list" "$dir/parts" "$dir/parts/kalvox-deb-src.sources" 2>&1 &&
    cat "$dir/parts/kalvox-deb-src.sources")
if [ -n "$first" ] && [ "$first" = "$second" ]; then pass "a second run writes the same entries"
else fail "a second run writes the same entries" $'\n'"$first"$'\n---\n'"$second"; fi

if ((failures)); then
    echo "$failures failed"
    exit 1
fi
