#!/usr/bin/env bash
# Writes dist/tovel.zip: tovel.exe with readme.txt, update.txt and doc\tag.txt beside it. The three text
# files are kept in release/ as UTF-8 and shipped as Shift-JIS with CR LF line breaks, the form the
# editor and Windows' own tools read.
#
# Sourcing this file only defines stage_release_files, so other scripts can put the converted files
# beside a built tovel.exe:
#     . scripts/dist.sh; stage_release_files build/win32
# (sourcing changes no shell option of the caller).

TOVEL_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# UTF-8 file -> Shift-JIS (code page 932) with CR LF breaks, the last line ended too. A character that
# code page 932 cannot hold fails the conversion instead of being dropped.
to_sjis_crlf() {
    local - src=$1 dst=$2
    set -o pipefail
    if ! iconv -f UTF-8 -t CP932 "$src" | LC_ALL=C awk '{ sub(/\r$/, ""); printf "%s\r\n", $0 }' > "$dst.part"; then
        rm -f "$dst.part"
        echo "stage_release_files: cannot convert $src to Shift-JIS" >&2
        return 1
    fi
    mv "$dst.part" "$dst"
}

# Puts readme.txt, update.txt and doc/tag.txt, converted, into DIR (the folder of a tovel.exe).
stage_release_files() {
    local dir=$1
    mkdir -p "$dir/doc" &&
        to_sjis_crlf "$TOVEL_ROOT/release/readme.txt" "$dir/readme.txt" &&
        to_sjis_crlf "$TOVEL_ROOT/release/update.txt" "$dir/update.txt" &&
        to_sjis_crlf "$TOVEL_ROOT/release/doc/tag.txt" "$dir/doc/tag.txt"
}

dist_main() {
    cd "$TOVEL_ROOT"
    local exe=build/win32/tovel.exe stage=dist/tovel
    [ -f "$exe" ] || { echo "dist: $exe is missing; run make win32 first" >&2; exit 1; }
    stage_release_files build/win32

    rm -rf "$stage" dist/tovel.zip
    mkdir -p "$stage"
    x86_64-w64-mingw32-strip -o "$stage/tovel.exe" "$exe"
    stage_release_files "$stage"
    # Entries at the top of the archive (doc/tag.txt shows as doc\tag.txt in Windows), no extra
    # attributes, so the archive depends only on its contents and their dates.
    (cd "$stage" && zip -q -X -r ../tovel.zip tovel.exe readme.txt update.txt doc/tag.txt)
    rm -rf "$stage"
    echo "dist: wrote dist/tovel.zip"
    unzip -l dist/tovel.zip
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    set -euo pipefail
    dist_main "$@"
fi
