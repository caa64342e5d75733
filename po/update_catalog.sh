#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Brings a language's catalog up to date with the sources: extracts the messages into
# build/po/velmora.pot and merges them into po/<language>.po (new ones untranslated, changed
# ones marked fuzzy). With no language, every one in po/LINGUAS.
#   po/update_catalog.sh uk
set -euo pipefail
cd "$(dirname "$0")/.."
mkdir -p build/po
mapfile -t sources < <(find src -name '*.cpp' -o -name '*.h' -o -name '*.js' -o -name '*.html' |
                       grep -v catalog_data | sort)
/usr/bin/python3 po/extract_messages.py --root . --output build/po/velmora.pot \
    "${sources[@]}" resources/velmora.ui
languages=("$@")
[ ${#languages[@]} -gt 0 ] || mapfile -t languages < <(sed 's/#.*//' po/LINGUAS | xargs -n1)
for language in "${languages[@]}"; do
    [ -f "po/$language.po" ] || msginit --no-translator --locale="$language" \
        --input=build/po/velmora.pot --output-file="po/$language.po"
    msgmerge --quiet --update --backup=none --no-wrap "po/$language.po" build/po/velmora.pot
    msgfmt --check --statistics -o /dev/null "po/$language.po"
done
