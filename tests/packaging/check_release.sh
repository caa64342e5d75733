#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The release package as a distribution judges it: built twice from the same commit
# and compared byte for byte, lintian with no error or warning, the documents a
# package must carry, and the hardening of the binary.
#   check_release.sh SOURCE_DIR
set -euo pipefail
source=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
# grep -q stops reading at its first match; under pipefail the writer's SIGPIPE would
# then fail a check at random, so a command's whole output is taken first.
says() { local text; text=$("${@:2}" 2>/dev/null) && grep -q -- "$1" <<<"$text"; }

first=$("$source/scripts/package.sh")
cp "$first" "$scratch/first.deb"
second=$("$source/scripts/package.sh")
cmp -s "$scratch/first.deb" "$second" ||
    fail "two builds differ: $(sha256sum "$scratch/first.deb" "$second" | cut -c1-16 | tr '\n' ' ')"
echo "reproducible: $(sha256sum "$second" | cut -d' ' -f1)"

lintian --fail-on error,warning --display-level ">=warning" "$second" || fail "lintian"

root="$scratch/root"
dpkg-deb -x "$second" "$root"
doc="$root/usr/share/doc/velmora"
says '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/$' \
    head -1 "$doc/copyright" ||
    fail "copyright is not machine-readable"
grep -qx 'License: GPL-3.0-or-later' "$doc/copyright" || fail "copyright names no licence"
says '^velmora (1.00) ' sed -n 1p <(zcat "$doc/changelog.gz") || fail "changelog"
grep -q '<project_license>GPL-3.0-or-later</project_license>' \
    "$root"/usr/share/metainfo/*.metainfo.xml || fail "metainfo licence"
# Every option the program lists in its help is in every manual page.
options=$("$root/usr/bin/velmora" --help | grep -oE -- '--[a-z]+' | sort -u)
[ -n "$options" ] || fail "no options in --help"
pages=$(cd "$root/usr/share/man" && ls -d man1 */man1)
[ "$(wc -w <<<"$pages")" -eq $(($(sed 's/#.*//' "$source/po/LINGUAS" | wc -w) + 1)) ] ||
    fail "a manual page for each language: $pages"
for page in $pages; do
    rendered=$(man -l "$root/usr/share/man/$page/velmora.1.gz" 2>/dev/null)
    for option in $options; do
        grep -q -- "$option" <<<"$rendered" || fail "manual page $page lacks $option"
    done
done

binary="$root/usr/bin/velmora"
says 'DYN (Position-Independent' readelf -hW "$binary" || fail "not PIE"
says GNU_RELRO readelf -lW "$binary" || fail "no RELRO"
says BIND_NOW readelf -dW "$binary" || fail "not bound now"
says __stack_chk_fail nm -D "$binary" || fail "no stack protector"
says '_chk@' nm -D "$binary" || fail "not fortified"
if says '\.comment' readelf -SW "$binary"; then fail "a .comment section is left"; fi
echo "release package: reproducible, lintian-clean, documented and hardened"
