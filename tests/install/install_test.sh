#!/usr/bin/env bash
# Checks of the installation, run by CTest (label cli):
#   install_test.sh layout CMAKE BUILD_DIR SOURCE_DIR
#       installs the build into a temporary prefix and runs keld-size from it
#   install_test.sh desktop FILE          desktop-file-validate on the entry
#   install_test.sh metainfo FILE VERSION appstreamcli on the metainfo; its
#                                         newest release is VERSION
#   install_test.sh manpage FILE          groff finds nothing to warn about
# A check whose tool is missing exits 77, which CTest reports as skipped.
set -uo pipefail

skip=77
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
need_tool() {
    if ! command -v "$1" >/dev/null; then
        echo "$1 is not installed (package $2): skipped"
        exit "$skip"
    fi
}

# Every file named is installed, identical to its source.
expect_copy() { # source installed
    if [ ! -f "$2" ]; then
        fail "not installed: $2"
    elif ! cmp -s "$1" "$2"; then
        fail "installed $2 differs from $1"
    fi
}

# A link in bin is relative and leads to the executable in the program folder.
expect_link() { # prefix program
    local link="$1/bin/$2"
    if [ ! -L "$link" ]; then
        fail "$link is not a symbolic link"
        return
    fi
    local target
    target=$(readlink "$link")
    [ "$target" = "../lib/keld/$2" ] || fail "$link points to '$target', not ../lib/keld/$2"
    [ -x "$1/lib/keld/$2" ] || fail "$1/lib/keld/$2 is not an executable"
}

layout() {
    local cmake="$1" build="$2" source="$3"
    # Global: the clean-up runs after the function has returned.
    prefix=$(mktemp -d "${TMPDIR:-/tmp}/keld-install.XXXXXX") || exit 1
    trap 'rm -rf "$prefix"' EXIT

    local log
    if ! log=$("$cmake" --install "$build" --prefix "$prefix" 2>&1); then
        fail "cmake --install into $prefix failed: $log"
        return
    fi

    expect_link "$prefix" keld-size
    # Run through the link from another folder: the program must find its
    # folder through its real path, not through the working folder.
    local out err status
    out=$(cd / && "$prefix/bin/keld-size" "$prefix/lib/keld/Files/default.ini" 2>"$prefix/stderr")
    status=$?
    err=$(cat "$prefix/stderr")
    rm -f "$prefix/stderr"
    [ "$status" -eq 0 ] || fail "installed keld-size exited $status: $err"
    [ -n "$out" ] || fail "installed keld-size printed nothing"

    # The program folder holds all of data/.
    local f
    while IFS= read -r -d '' f; do
        expect_copy "$source/data/$f" "$prefix/lib/keld/$f"
    done < <(cd "$source/data" && find . -type f -print0)

    local man="$prefix/share/man/man1/keld-size.1.gz"
    if [ ! -f "$man" ]; then
        fail "manual page not installed: $man"
    elif ! gzip -dc "$man" | cmp -s - "$source/packaging/keld-size.1"; then
        fail "$man does not decompress to packaging/keld-size.1"
    fi

    # The desktop entry, metainfo and icons come with the desktop program, and
    # only with it.
    local share="$prefix/share"
    if [ -e "$prefix/lib/keld/keld" ]; then
        expect_link "$prefix" keld
        expect_copy "$source/packaging/keld.desktop" "$share/applications/keld.desktop"
        expect_copy "$source/packaging/io.github.keld.metainfo.xml" \
            "$share/metainfo/io.github.keld.metainfo.xml"
        expect_copy "$source/packaging/icons/keld.svg" "$share/icons/hicolor/scalable/apps/keld.svg"
        local size
        for size in 16 32 48 64 128 256; do
            expect_copy "$source/packaging/icons/${size}x${size}/keld.png" \
                "$share/icons/hicolor/${size}x${size}/apps/keld.png"
        done
    else
        [ ! -e "$prefix/bin/keld" ] || fail "bin/keld installed without the program"
        [ ! -e "$share/applications/keld.desktop" ] ||
            fail "desktop entry installed without the desktop program"
    fi
}

# The tool's findings, warnings included, fail the check.
validate() { # tool args...
    local out
    out=$("$@" 2>&1)
    local status=$?
    if [ "$status" -ne 0 ]; then
        fail "$1 exited $status: $out"
    fi
    echo "$out"
}

case "${1:-}" in
layout)
    [ $# -eq 4 ] || { echo "usage: $0 layout CMAKE BUILD_DIR SOURCE_DIR" >&2; exit 2; }
    layout "$2" "$3" "$4"
    ;;
desktop)
    need_tool desktop-file-validate desktop-file-utils
    out=$(desktop-file-validate "$2" 2>&1)
    status=$?
    # It exits 0 after warnings and hints; those are faults here too.
    [ "$status" -eq 0 ] && [ -z "$out" ] || fail "desktop-file-validate $2: $out"
    ;;
metainfo)
    need_tool appstreamcli appstream
    validate appstreamcli validate --no-net "$2"
    newest=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$2" | head -n 1)
    [ "$newest" = "$3" ] ||
        fail "the newest release in $2 is '$newest'; the project's version is $3"
    ;;
manpage)
    need_tool groff groff-base
    out=$(groff -man -ww -z -Tutf8 "$2" 2>&1)
    [ -z "$out" ] || fail "groff warns about $2: $out"
    ;;
*)
    echo "usage: $0 layout|desktop|metainfo|manpage ..." >&2
    exit 2
    ;;
esac

[ "$failures" -eq 0 ] || exit 1
echo "passed"
