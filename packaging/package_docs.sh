#!/usr/bin/env bash
# Makes the package's documents from the repository's own files, so that
# nothing is written twice (the build runs it; each writes to standard output):
#   package_docs.sh changelog CHANGELOG.md VERSION MAINTAINER
#       the Debian changelog of the native package, one entry per release
#   package_docs.sh metainfo CHANGELOG.md VERSION TEMPLATE
#       the AppStream metainfo: TEMPLATE with its line @RELEASES@ replaced by
#       one <release> per release
#   package_docs.sh copyright LICENSE TEMPLATE
#       the Debian copyright file: TEMPLATE with @COPYRIGHT@ replaced by the
#       holder and year of LICENSE and @LICENSE@ by its text
# CHANGELOG.md holds one section per release, the newest first: a heading
# "## VERSION (YYYY-MM-DD)" and a list whose items start with "- " and go on
# in lines indented by two blanks. The newest release must be VERSION, the
# project's version.
set -euo pipefail

die() {
    echo "package_docs.sh: $*" >&2
    exit 1
}

# The releases of CHANGELOG.md as lines "VERSION DATE", the newest first,
# checked: well-formed headings, the newest one VERSION.
releases() { # changelog version
    local heading
    local -a found=()
    while IFS= read -r heading; do
        [[ "$heading" =~ ^'## '([0-9]+(\.[0-9]+)*)' ('([0-9]{4}-[0-9]{2}-[0-9]{2})')'$ ]] ||
            die "$1: a release heading is '## VERSION (YYYY-MM-DD)', not '$heading'"
        date -u -d "${BASH_REMATCH[3]}" +%F >/dev/null 2>&1 ||
            die "$1: no such date in '$heading'"
        found+=("${BASH_REMATCH[1]} ${BASH_REMATCH[3]}")
    done < <(grep '^## ' "$1")
    [ "${#found[@]}" -gt 0 ] || die "$1 has no release"
    [ "${found[0]%% *}" = "$2" ] ||
        die "the newest release in $1 is ${found[0]%% *}, the project's version is $2:" \
            "add a section for $2"
    printf '%s\n' "${found[@]}"
}

changelog() { # changelog version maintainer
    local text
    text=$(releases "$1" "$2")
    local -a list
    mapfile -t list <<<"$text"
    # The trailer's date in the Debian form, weekday included; the time is
    # noon UTC of the release's day.
    local -a stamps=()
    local release
    for release in "${list[@]}"; do
        stamps+=("$(LC_ALL=C date -u -d "${release#* } 12:00" '+%a, %d %b %Y %H:%M:%S +0000')")
    done
    # Items are rewrapped to 78 columns behind "  * "; Markdown's backticks
    # go. Lines before the first heading are the file's own introduction.
    awk -v package=keld -v maintainer="$3" -v stamps="$(printf '%s\n' "${stamps[@]}")" '
        function flush(   words, n, i, line) {
            if (item == "") return
            n = split(item, words, " ")
            line = "  *"
            for (i = 1; i <= n; i++) {
                if (length(line) + 1 + length(words[i]) > 78 && line != "  *" && line != "   ") {
                    print line
                    line = "   "
                }
                line = line " " words[i]
            }
            print line
            item = ""
        }
        function close_release() {
            flush()
            if (release > 0) {
                print ""
                print " -- " maintainer "  " stamp[release]
            }
        }
        BEGIN { split(stamps, stamp, "\n"); release = 0; item = "" }
        /^## / {
            close_release()
            if (release > 0) print ""
            release++
            version = $2
            print package " (" version ") unstable; urgency=medium"
            print ""
            next
        }
        release == 0 { next }
        /^- / { flush(); item = substr($0, 3); gsub(/`/, "", item); next }
        /^  [^ ]/ && item != "" { line = $0; gsub(/`/, "", line); item = item " " line; next }
        /^[ \t]*$/ { flush(); next }
        { printf "%s: line %d is neither an item nor its continuation: %s\n", FILENAME, FNR, $0 > "/dev/stderr"; failed = 1; exit 1 }
        END { if (failed) exit 1; close_release() }
    ' "$1"
}

metainfo() { # changelog version template
    local text
    text=$(releases "$1" "$2")
    local -a list
    mapfile -t list <<<"$text"
    local release lines=""
    for release in "${list[@]}"; do
        lines+="    <release version=\"${release%% *}\" date=\"${release#* }\"/>"$'\n'
    done
    grep -q '^[[:space:]]*@RELEASES@$' "$3" || die "$3 has no line @RELEASES@"
    local line
    while IFS= read -r line; do
        if [[ "$line" =~ ^[[:space:]]*@RELEASES@$ ]]; then
            printf '%s' "$lines"
        else
            printf '%s\n' "$line"
        fi
    done <"$3"
}

copyright() { # license template
    local holder
    holder=$(sed -n 's/^Copyright (c) \(.*\)$/\1/p' "$1")
    [ -n "$holder" ] || die "$1 has no line 'Copyright (c) YEAR HOLDER'"
    # The licence's text: what follows the copyright line, its leading empty
    # lines dropped, each line indented by one blank, an empty line as " .".
    local text
    text=$(sed '0,/^Copyright (c) /d' "$1" | sed '/./,$!d' | sed 's/^$/./; s/^/ /')
    local line
    while IFS= read -r line; do
        case "$line" in
        *@LICENSE@*) printf '%s\n' "$text" ;;
        *) printf '%s\n' "${line//@COPYRIGHT@/$holder}" ;;
        esac
    done <"$2"
}

case "${1:-}" in
changelog)
    [ $# -eq 4 ] || die "usage: $0 changelog CHANGELOG.md VERSION MAINTAINER"
    changelog "$2" "$3" "$4"
    ;;
metainfo)
    [ $# -eq 4 ] || die "usage: $0 metainfo CHANGELOG.md VERSION TEMPLATE"
    metainfo "$2" "$3" "$4"
    ;;
copyright)
    [ $# -eq 3 ] || die "usage: $0 copyright LICENSE TEMPLATE"
    copyright "$2" "$3"
    ;;
*)
    die "usage: $0 changelog|metainfo|copyright ..."
    ;;
esac
