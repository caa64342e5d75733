#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Compiles the catalogs into the core: a C++ source with each language's messages,
sorted for a binary search, and its plural rule as a function. The pseudo-language needs
no catalog: the core lengthens and accents each Bulgarian text as it is asked for.

    make_catalog.py --output catalog_data.cpp
"""

import argparse
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import catalogs  # noqa: E402

ENUM = {"en": "English", "uk": "Ukrainian", "tr": "Turkish"}
BULGARIAN_RULE = "n != 1"


def cpp_string(text):
    """A C++ literal of UTF-8 bytes; octal escapes keep it plain ASCII."""
    out = []
    for byte in text.encode("utf-8"):
        ch = chr(byte)
        if ch in '"\\?':
            out.append("\\" + ch)
        elif 32 <= byte < 127:
            out.append(ch)
        else:
            out.append("\\%03o" % byte)
    return '"' + "".join(out) + '"'


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--output", required=True)
    args = parser.parse_args()
    po_dir = catalogs.HERE
    languages = {code: (catalogs.translations(os.path.join(po_dir, code + ".po")),
                        catalogs.plural_rule(os.path.join(po_dir, code + ".po")))
                 for code in catalogs.shipped_languages()}

    lines = ["// Written by po/make_catalog.py from po/*.po: do not edit.",
             '#include "puzzle/catalog_data.h"', "", "namespace velmora::catalog {",
             "namespace {", "using namespace std::string_view_literals;"]
    for code, (table, _) in languages.items():
        lines.append(f"constexpr Entry k{ENUM[code]}[] = {{")
        for key in sorted(table, key=lambda k: k.encode("utf-8")):
            forms = "\0".join(table[key])
            lines.append(f"    {{{cpp_string(key)}sv, {cpp_string(forms)}sv}},")
        lines.append("    {\"\\377\"sv, \"\"sv}, // keeps the array non-empty")
        lines.append("};")
    lines += ["} // namespace", "", "std::span<const Entry> EntriesOf(Language language) {",
              "    switch (language) {"]
    for code in languages:
        lines.append(f"    case Language::{ENUM[code]}: return k{ENUM[code]};")
    lines += ["    case Language::Bulgarian:", "    case Language::Pseudo: break;", "    }",
              "    return {};", "}", "",
              "int PluralForm(Language language, unsigned long long n) {",
              "    switch (language) {"]
    for code, (_, rule) in languages.items():
        lines.append(f"    case Language::{ENUM[code]}: return static_cast<int>({rule});")
    lines += ["    case Language::Bulgarian:",
              f"    case Language::Pseudo: return static_cast<int>({BULGARIAN_RULE});",
              "    }", "    return 0;", "}", "", "} // namespace velmora::catalog", ""]
    text = "\n".join(lines)
    catalogs.write_if_changed(args.output, text)


if __name__ == "__main__":
    main()
