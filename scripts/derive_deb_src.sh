#!/usr/bin/env bash
# Writes deb-src entries for the package sources apt is configured with, so that
# `apt-get source` fetches from the same mirror, suites and keys as `apt-get install`.
#
#   bash scripts/derive_deb_src.sh SOURCES_LIST SOURCES_DIR OUTPUT
#
# SOURCES_LIST is the one-line file (/etc/apt/sources.list), SOURCES_DIR the folder
# of its parts (/etc/apt/sources.list.d: *.list in one-line form, *.sources in
# deb822 form); either may be missing. Every enabled deb822 stanza of type deb and
# every `deb` line becomes a deb822 stanza of type deb-src in OUTPUT with the same
# URIs, suites, components, signing key and other options (not the architectures,
# which a source package has none of). OUTPUT itself is not read as a source.
#
# Exit status: 0 OUTPUT written; 3 the machine already has deb-src entries of its
# own, so nothing is written (and an OUTPUT left from an earlier run is removed);
# 1 no deb entry to derive from, or an unreadable file.
set -euo pipefail

if (($# != 3)); then
    echo "usage: derive_deb_src.sh SOURCES_LIST SOURCES_DIR OUTPUT" >&2
    exit 2
fi
sources_list=$1 sources_dir=${2%/} output=$3

# The files apt reads, in its order: the one-line file, then the parts by name.
# apt skips part names with other characters than letters, digits, _ . and -.
files=()
[ -f "$sources_list" ] && files+=("$sources_list")
if [ -d "$sources_dir" ]; then
    while IFS= read -r file; do
        name=${file##*/}
        [[ $name =~ ^[A-Za-z0-9_.-]+\.(list|sources)$ ]] || continue
        [ -e "$output" ] && [ "$file" -ef "$output" ] && continue
        files+=("$file")
    done < <(find -L "$sources_dir" -maxdepth 1 -type f \( -name '*.list' -o -name '*.sources' \) | LC_ALL=C sort)
fi
if ((${#files[@]} == 0)); then
    echo "derive_deb_src: no sources in $sources_list or $sources_dir" >&2
    exit 1
fi

work=$(mktemp)
trap 'rm -f "$work"' EXIT

status=0
LC_ALL=C awk -f /dev/stdin "${files[@]}" >"$work" <<'AWK' || status=$?
function trim(s) { sub(/^[ \t]+/, "", s); sub(/[ \t]+$/, "", s); return s }

# A source on a disc (cdrom:) has no sources to fetch; every other URI is kept.
function without_discs(uris,    n, i, w, kept) {
    n = split(uris, w, /[ \t]+/)
    kept = ""
    for (i = 1; i <= n; i++)
        if (w[i] != "" && w[i] !~ /^cdrom:/) kept = kept (kept == "" ? "" : " ") w[i]
    return kept
}

function emit(text) {
    out = out (out == "" ? "" : "\n\n") text
    stanzas++
}

# --- deb822 (*.sources) -----------------------------------------------------------
function flush_stanza(    i, key, types, enabled, n, t, is_deb, text, uris) {
    if (nfields == 0) return
    types = (("types") in value) ? value["types"] : ""
    enabled = (("enabled") in value) ? tolower(trim(value["enabled"])) : "yes"
    # apt reads the value as a boolean: no, false, off, without, disable and 0 say no.
    if (enabled !~ /^(no|false|off|without|disable|0)$/) {
        n = split(trim(types), t, /[ \t]+/)
        is_deb = 0
        for (i = 1; i <= n; i++) {
            if (t[i] == "deb-src") has_deb_src = 1
            if (t[i] == "deb") is_deb = 1
        }
        uris = (("uris") in value) ? without_discs(value["uris"]) : ""
        if (is_deb && uris != "") {
            text = "Types: deb-src"
            for (i = 1; i <= nfields; i++) {
                key = order[i]
                if (key == "types" || key == "enabled" || key ~ /^architectures/) continue
                if (key == "uris") text = text "\n" name[key] ": " uris
                else text = text "\n" name[key] ":" value[key]
            }
            emit(text)
        }
    }
    for (key in value) delete value[key]
    for (key in name) delete name[key]
    nfields = 0
    last = ""
}

function stanza_line(line,    colon, key) {
    if (line ~ /^#/) return
    if (line ~ /^[ \t]*$/) { flush_stanza(); return }
    if (line ~ /^[ \t]/) {
        if (last != "") value[last] = value[last] "\n" line
        return
    }
    colon = index(line, ":")
    if (colon == 0) {
        printf "derive_deb_src: %s:%d: not a field: %s\n", FILENAME, FNR, line > "/dev/stderr"
        return
    }
    key = tolower(trim(substr(line, 1, colon - 1)))
    if (!(key in value)) order[++nfields] = key
    name[key] = trim(substr(line, 1, colon - 1))
    value[key] = substr(line, colon + 1)
    last = key
}

# --- one-line (sources.list, *.list) ----------------------------------------------
# The deb822 field of a one-line option, as apt maps them; "" for one that a
# source package does not use.
function option_field(key,    base, suffix) {
    suffix = ""
    if (key ~ /\+$/) { suffix = "-Add"; key = substr(key, 1, length(key) - 1) }
    else if (key ~ /-$/) { suffix = "-Remove"; key = substr(key, 1, length(key) - 1) }
    if (key == "arch") return ""
    if (key == "lang") return "Languages" suffix
    if (key == "target") return "Targets" suffix
    if (suffix != "") return "?"
    if (key in fields) return fields[key]
    return "?"
}

function one_line(line,    hash, type, rest, close_at, options, n, o, i, eq, key, field, w, nw, text, comps, uris) {
    hash = index(line, "#")
    if (hash) line = substr(line, 1, hash - 1)
    line = trim(line)
    if (line == "") return
    match(line, /^[^ \t\[]+/)
    type = substr(line, 1, RLENGTH)
    rest = trim(substr(line, RLENGTH + 1))
    if (type == "deb-src") { has_deb_src = 1; return }
    if (type != "deb") return
    options = ""
    if (substr(rest, 1, 1) == "[") {
        close_at = index(rest, "]")
        if (close_at == 0) {
            printf "derive_deb_src: %s:%d: no ] after the options\n", FILENAME, FNR > "/dev/stderr"
            return
        }
        options = substr(rest, 2, close_at - 2)
        rest = trim(substr(rest, close_at + 1))
    }
    nw = split(rest, w, /[ \t]+/)
    if (nw < 2) {
        printf "derive_deb_src: %s:%d: no suite after the URI\n", FILENAME, FNR > "/dev/stderr"
        return
    }
    uris = without_discs(w[1])
    if (uris == "") return
    text = "Types: deb-src\nURIs: " uris "\nSuites: " w[2]
    comps = ""
    for (i = 3; i <= nw; i++) comps = comps (comps == "" ? "" : " ") w[i]
    if (comps != "") text = text "\nComponents: " comps
    n = split(trim(options), o, /[ \t]+/)
    for (i = 1; i <= n; i++) {
        eq = index(o[i], "=")
        if (eq == 0) continue
        key = tolower(substr(o[i], 1, eq - 1))
        field = option_field(key)
        if (field == "") continue
        if (field == "?") {
            printf "derive_deb_src: %s:%d: option %s left out\n", FILENAME, FNR, key > "/dev/stderr"
            continue
        }
        text = text "\n" field ": " substr(o[i], eq + 1)
    }
    emit(text)
}

BEGIN {
    split("trusted:Trusted signed-by:Signed-By check-valid-until:Check-Valid-Until " \
          "valid-until-min:Valid-Until-Min valid-until-max:Valid-Until-Max " \
          "check-date:Check-Date date-max-future:Date-Max-Future pdiffs:PDiffs " \
          "by-hash:By-Hash allow-insecure:Allow-Insecure allow-weak:Allow-Weak " \
          "allow-downgrade-to-insecure:Allow-Downgrade-To-Insecure " \
          "inrelease-path:InRelease-Path snapshot:Snapshot", pairs, " ")
    for (p in pairs) {
        split(pairs[p], kv, ":")
        fields[kv[1]] = kv[2]
    }
    out = ""; stanzas = 0; has_deb_src = 0; nfields = 0
}
FNR == 1 { flush_stanza() }
{ sub(/\r$/, "") }
FILENAME ~ /\.sources$/ { stanza_line($0); next }
{ one_line($0) }
END {
    flush_stanza()
    if (has_deb_src) exit 3
    if (stanzas == 0) exit 4
    print "# deb-src entries for the machine's own package sources, written by"
    print "# scripts/derive_deb_src.sh from the deb entries apt is configured with."
    print ""
    print out
}
AWK

case $status in
0)
    cp "$work" "$output"
    chmod 644 "$output"
    echo "derive_deb_src: wrote $output"
    ;;
3)
    echo "derive_deb_src: the machine has deb-src entries already; $output not written"
    rm -f "$output"
    exit 3
    ;;
4)
    echo "derive_deb_src: no enabled deb entry in ${files[*]}" >&2
    exit 1
    ;;
*)
    exit 1
    ;;
esac
