#!/usr/bin/env bash
# Checks of the installation and the package, run by CTest:
#   install_test.sh layout CMAKE BUILD_DIR SOURCE_DIR
#       installs the build into a temporary prefix and runs keld-size from it
#   install_test.sh manpage FILE...
#       groff finds nothing to warn about in the manual pages
#   install_test.sh package CPACK BUILD_DIR SOURCE_DIR VERSION
#       builds the Debian package once and checks it as a Debian maintainer
#       would: lintian, desktop-file-validate and appstreamcli on what it
#       ships, the one version everywhere, and what makes it reproducible
# A tool that is missing fails the check: the test command's setup installs
# them all (scripts/test.sh).
set -uo pipefail

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
need_tool() {
    if ! command -v "$1" >/dev/null; then
        echo "FAIL: $1 is not installed (Debian package $2)" >&2
        exit 1
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

# A compressed manual page decompresses to its source.
expect_man_page() { # source installed
    if [ ! -f "$2" ]; then
        fail "manual page not installed: $2"
    elif ! gzip -dc "$2" | cmp -s - "$1"; then
        fail "$2 does not decompress to $1"
    fi
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

    local share="$prefix/share" docs="$build/package-docs"
    expect_man_page "$source/packaging/keld-size.1" "$share/man/man1/keld-size.1.gz"
    expect_copy "$docs/copyright" "$share/doc/keld/copyright"
    expect_copy "$docs/changelog.gz" "$share/doc/keld/changelog.gz"

    # The desktop entry, metainfo, icons and the manual page of keld come
    # with the desktop program, and only with it.
    if [ -e "$prefix/lib/keld/keld" ]; then
        expect_link "$prefix" keld
        expect_man_page "$source/packaging/keld.1" "$share/man/man1/keld.1.gz"
        expect_copy "$source/packaging/keld.desktop" "$share/applications/keld.desktop"
        expect_copy "$docs/io.github.keld.metainfo.xml" \
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

manpage() {
    need_tool groff groff-base
    local page out
    for page in "$@"; do
        out=$(groff -man -ww -z -Tutf8 "$page" 2>&1)
        [ -z "$out" ] || fail "groff warns about $page: $out"
    done
}

# The time every file of the package carries, as cmake/cpack_project.cmake
# chooses it: SOURCE_DATE_EPOCH, else the last commit, else noon of the
# newest release's day.
package_epoch() { # source
    if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
        echo "$SOURCE_DATE_EPOCH"
    elif ! git -C "$1" log -1 --format=%ct 2>/dev/null; then
        date -u -d "$(sed -n 's/^## .* (\(.*\))$/\1/p' "$1/CHANGELOG.md" | head -n 1) 12:00" +%s
    fi
}

# The entries of a tar archive (on standard input, not through a pipe, so
# that its failures count): each stamped with the package's time, owned by
# root, with one of the modes a package gives, and in dpkg-deb's order: by
# the bytes of their names, symbolic links last.
check_entries() { # what stamp
    local listing
    listing=$(TZ=UTC tar -tv --full-time) || {
        fail "$1: not a tar archive"
        return
    }
    local bad
    bad=$(awk -v stamp="$2" '$4 " " $5 != stamp' <<<"$listing")
    [ -z "$bad" ] || fail "$1: entries not stamped $2 UTC:"$'\n'"$bad"
    bad=$(awk '$2 != "root/root"' <<<"$listing")
    [ -z "$bad" ] || fail "$1: entries not owned by root:"$'\n'"$bad"
    bad=$(awk '$1 !~ /^(-rw-r--r--|-rwxr-xr-x|drwxr-xr-x|lrwxrwxrwx)$/' <<<"$listing")
    [ -z "$bad" ] || fail "$1: entries with another mode:"$'\n'"$bad"
    local order
    order=$(awk '{ print (/^l/ ? "2 " : "1 ") $6 }' <<<"$listing")
    [ "$order" = "$(LC_ALL=C sort <<<"$order")" ] || fail "$1: entries not in dpkg-deb's order"
}

package() {
    local cpack="$1" build="$2" source="$3" version="$4"
    need_tool lintian lintian
    need_tool desktop-file-validate desktop-file-utils
    need_tool appstreamcli appstream
    need_tool dpkg-deb dpkg
    work=$(mktemp -d "${TMPDIR:-/tmp}/keld-package.XXXXXX") || exit 1
    trap 'rm -rf "$work"' EXIT

    local log
    if ! log=$(cd "$build" && "$cpack" -G DEB -B "$work/out" 2>&1); then
        fail "cpack failed: $log"
        return
    fi
    local deb
    deb=$(ls "$work/out/keld_${version}_"*.deb 2>/dev/null)
    if [ -z "$deb" ] || [ ! -f "$deb" ]; then
        fail "cpack made no keld_${version}_*.deb: $(ls "$work/out")"
        return
    fi
    echo "built $(basename "$deb"), SHA-256 $(sha256sum <"$deb" | cut -d' ' -f1)"

    # lintian as a packager runs it: nothing but informational tags.
    local out
    out=$(lintian --info "$deb" 2>&1 | grep -v '^running with root privileges')
    echo "lintian: ${out:-no tag}"
    ! grep -q '^[EW]: ' <<<"$out" || fail "lintian reports errors or warnings"

    [ "$(dpkg-deb -f "$deb" Version)" = "$version" ] ||
        fail "the package's version is $(dpkg-deb -f "$deb" Version), not $version"

    # What it ships.
    local root="$work/root"
    dpkg-deb -x "$deb" "$root" || {
        fail "dpkg-deb cannot unpack $deb"
        return
    }
    local docs="$root/usr/share/doc/keld" man="$root/usr/share/man/man1"
    [ -f "$docs/copyright" ] && grep -qF "$(sed -n 5p "$source/LICENSE")" "$docs/copyright" ||
        fail "the copyright file does not hold LICENSE's text"
    local first
    first=$(gzip -dc "$docs/changelog.gz" 2>/dev/null | head -n 1)
    [ "$first" = "keld ($version) unstable; urgency=medium" ] ||
        fail "changelog.gz begins '$first', not with the entry of $version"
    [ -f "$man/keld.1.gz" ] && [ -f "$man/keld-size.1.gz" ] ||
        fail "the manual pages keld.1.gz and keld-size.1.gz are not both shipped"
    out=$("$root/usr/bin/keld-size" --version 2>&1)
    [ "$out" = "keld-size $version" ] || fail "keld-size --version prints '$out'"

    out=$(desktop-file-validate "$root/usr/share/applications/keld.desktop" 2>&1)
    # It exits 0 after warnings and hints; those are faults here too.
    [ $? -eq 0 ] && [ -z "$out" ] || fail "desktop-file-validate: $out"
    local metainfo="$root/usr/share/metainfo/io.github.keld.metainfo.xml"
    out=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "appstreamcli: $out"
    local newest
    newest=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo" | head -n 1)
    [ "$newest" = "$version" ] || fail "the metainfo's newest release is '$newest', not $version"

    # Reproducible: one time stamp for everything, entries owned by root with
    # fixed modes in a fixed order, members rw-r--r-- whatever the umask, and
    # no build path in any file.
    local epoch stamp
    epoch=$(package_epoch "$source")
    stamp=$(date -u -d "@$epoch" '+%Y-%m-%d %H:%M:%S')
    check_entries "data archive" "$stamp" < <(dpkg-deb --fsys-tarfile "$deb")
    check_entries "control archive" "$stamp" < <(dpkg-deb --ctrl-tarfile "$deb")
    local members
    members=$(TZ=UTC ar tv "$deb" | awk -v stamp="$(date -u -d "@$epoch" '+%b %-d %H:%M %Y')" \
        '$1 != "rw-r--r--" || $2 != "0/0" || $4 " " $5 " " $6 " " $7 != stamp')
    [ -z "$members" ] || fail "ar members not rw-r--r--, root's and stamped $stamp UTC: $members"
    local traces
    traces=$(grep -rlaF -e "$source" -e "$build" "$root")
    [ -z "$traces" ] || fail "files naming the source or build folder: $traces"
}

case "${1:-}" in
layout)
    [ $# -eq 4 ] || { echo "usage: $0 layout CMAKE BUILD_DIR SOURCE_DIR" >&2; exit 2; }
    layout "$2" "$3" "$4"
    ;;
manpage)
    [ $# -ge 2 ] || { echo "usage: $0 manpage FILE..." >&2; exit 2; }
    shift
    manpage "$@"
    ;;
package)
    [ $# -eq 5 ] || { echo "usage: $0 package CPACK BUILD_DIR SOURCE_DIR VERSION" >&2; exit 2; }
    package "$2" "$3" "$4" "$5"
    ;;
*)
    echo "usage: $0 layout|manpage|package ..." >&2
    exit 2
    ;;
esac

[ "$failures" -eq 0 ] || exit 1
echo "passed"
