#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a scratch prefix, validates the desktop files there, then
# builds the Debian package and checks that it carries the same files.
#   check_install.sh BUILD_DIR APP_ID
set -euo pipefail
build=$1
id=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

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
    share/man/en/man1/velmora.1.gz
)

cmake --install "$build" --prefix "$scratch/usr" >/dev/null
for file in "${expected[@]}"; do
    [ -s "$scratch/usr/$file" ] || fail "not installed: $file"
done
desktop-file-validate "$scratch/usr/share/applications/$id.desktop" || fail "desktop entry"
appstreamcli validate --no-net --explain "$scratch/usr/share/metainfo/$id.metainfo.xml" ||
    fail "AppStream metainfo"
grep -q 'release version="1.00"' "$scratch/usr/share/metainfo/$id.metainfo.xml" ||
    fail "metainfo release is not 1.00"
"$scratch/usr/bin/velmora" --version | grep -qx '1.00' || fail "installed binary's version"
# The worksheet dialog is a module of its own, so that start-up loads no print support.
module=$(find "$scratch/usr/lib" -path '*/velmora/velmora-worksheet.so' | head -1)
[ -n "$module" ] || fail "not installed: the worksheet dialog's module"
readelf -d "$scratch/usr/bin/velmora" | grep -q PrintSupport && fail "the program loads print support at start"
readelf --wide --dyn-syms "$module" | grep -q ' velmora_open_worksheet_dialog$' || fail "the module's entry"

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
