#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a scratch prefix, validates the desktop files there, then
# builds the Debian package and checks that it carries the same files.
#   check_install.sh BUILD_DIR APP_ID LINGUAS
set -euo pipefail
build=$1
id=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
# grep -q stops reading at its first match; under pipefail the writer's SIGPIPE would
# then fail a check at random, so a command's whole output is taken first.
says() { local text; text=$("${@:2}" 2>/dev/null) && grep -q -- "$1" <<<"$text"; }
# The languages the program speaks besides Bulgarian, its source language.
languages=$(sed 's/#.*//' "$3" | xargs)
[ -n "$languages" ] || fail "no language in $3"

expected=(
    bin/velmora
    share/applications/$id.desktop
    share/metainfo/$id.metainfo.xml
    share/icons/hicolor/32x32/apps/$id.png
    share/icons/hicolor/48x48/apps/$id.png
    share/icons/hicolor/scalable/apps/$id.svg
    share/doc/velmora/copyright
    share/doc/velmora/changelog.gz
    share/man/man1/velmora.1.gz
)
for language in $languages; do
    expected+=("share/man/$language/man1/velmora.1.gz")
done

cmake --install "$build" --prefix "$scratch/usr" >/dev/null
for file in "${expected[@]}"; do
    [ -s "$scratch/usr/$file" ] || fail "not installed: $file"
done
desktop-file-validate "$scratch/usr/share/applications/$id.desktop" || fail "desktop entry"
appstreamcli validate --no-net --explain "$scratch/usr/share/metainfo/$id.metainfo.xml" ||
    fail "AppStream metainfo"
grep -q 'release version="1.00"' "$scratch/usr/share/metainfo/$id.metainfo.xml" ||
    fail "metainfo release is not 1.00"
# Every language the program speaks names and describes it in the desktop entry, the
# AppStream data (which lists it) and the manual page's own words.
desktop=$scratch/usr/share/applications/$id.desktop
metainfo=$scratch/usr/share/metainfo/$id.metainfo.xml
for language in $languages; do
    for key in Name GenericName Comment Keywords; do
        grep -q "^$key\[$language\]=." "$desktop" || fail "desktop entry lacks $key[$language]"
    done
    for element in name summary p caption; do
        grep -q "<$element xml:lang=\"$language\">" "$metainfo" ||
            fail "metainfo lacks <$element xml:lang=\"$language\">"
    done
    grep -q "<lang>$language</lang>" "$metainfo" || fail "metainfo does not list $language"
    page=$scratch/usr/share/man/$language/man1/velmora.1.gz
    cmp -s "$page" "$scratch/usr/share/man/man1/velmora.1.gz" &&
        fail "the $language manual page is the Bulgarian one"
    says --language man -l "$page" ||
        fail "the $language manual page lacks --language"
done
says '^1\.00$' "$scratch/usr/bin/velmora" --version || fail "installed binary's version"
# The worksheet dialog is a module of its own, so that start-up loads no print support.
module=$(find "$scratch/usr/lib" -path '*/velmora/velmora-worksheet.so' | head -1)
[ -n "$module" ] || fail "not installed: the worksheet dialog's module"
says PrintSupport readelf -d "$scratch/usr/bin/velmora" && fail "the program loads print support at start"
says ' velmora_open_worksheet_dialog$' readelf --wide --dyn-syms "$module" || fail "the module's entry"

(cd "$scratch" && cpack --config "$build/CPackConfig.cmake" -B "$scratch/package" >/dev/null) ||
    fail "cpack"
deb=$(ls "$scratch"/package/velmora_*.deb)
[ "$(dpkg-deb -f "$deb" Version)" = "1.00" ] || fail "package version"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6printsupport6 fonts-liberation2; do
    [[ $depends == *"$needed"* ]] || fail "package does not depend on $needed: $depends"
done
listing=$(dpkg-deb -c "$deb")
for file in "${expected[@]}" "${module#"$scratch/usr/"}"; do
    grep -q "\./usr/$file\$" <<<"$listing" || fail "not in the package: $file"
done
echo "installed files, desktop entry, metainfo and package all check out"
