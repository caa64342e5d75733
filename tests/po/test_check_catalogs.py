#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The catalog check fails each kind of bad translation a translator can make, and passes
a good one: one catalog per case, written on the fly against a small template."""

import os
import subprocess
import sys
import tempfile
import unittest

PO = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "po")
HEADER = '''msgid ""
msgstr ""
"Content-Type: text/plain; charset=UTF-8\\n"
"Plural-Forms: nplurals=3; plural=(n%10==1 && n%100!=11 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || n%100>=20) ? 1 : 2);\\n"

'''
TEMPLATE = '''#, python-brace-format
msgid "Напиши число от 1 до {most}."
msgstr ""

msgctxt "place"
msgid "горният връх"
msgstr ""

#, python-brace-format
msgid "{count} страна"
msgid_plural "{count} страни"
msgstr[0] ""
msgstr[1] ""
msgstr[2] ""
'''
GOOD = {
    "range": "Напиши число від 1 до {most}.",
    "place": "верхня вершина",
    "plural": ["{count} сторона", "{count} сторони", "{count} сторін"],
}


def catalog(range_text, place, plural, fuzzy=False):
    flag = "#, fuzzy\n" if fuzzy else ""
    return HEADER + f'''#, python-brace-format
msgid "Напиши число от 1 до {{most}}."
msgstr "{range_text}"

{flag}msgctxt "place"
msgid "горният връх"
msgstr "{place}"

#, python-brace-format
msgid "{{count}} страна"
msgid_plural "{{count}} страни"
msgstr[0] "{plural[0]}"
msgstr[1] "{plural[1]}"
msgstr[2] "{plural[2]}"
'''


def check(po_text):
    with tempfile.TemporaryDirectory() as folder:
        with open(os.path.join(folder, "LINGUAS"), "w") as linguas:
            linguas.write("uk\n")
        with open(os.path.join(folder, "uk.po"), "w", encoding="utf-8") as po:
            po.write(po_text)
        with open(os.path.join(folder, "velmora.pot"), "w", encoding="utf-8") as pot:
            pot.write(HEADER + TEMPLATE)
        return subprocess.run([sys.executable, os.path.join(PO, "check_catalogs.py"),
                               os.path.join(folder, "velmora.pot"), folder],
                              capture_output=True, text=True)


class CheckCatalogs(unittest.TestCase):
    def test_a_full_faithful_catalog_passes(self):
        result = check(catalog(GOOD["range"], GOOD["place"], GOOD["plural"]))
        self.assertEqual(result.returncode, 0, result.stdout)

    def test_each_bad_translation_fails(self):
        cases = {
            "a changed number": (GOOD["range"].replace("1", "0"), GOOD["place"], GOOD["plural"]),
            "a renamed placeholder": ("Напиши число від 1 до {max}.", GOOD["place"],
                                      GOOD["plural"]),
            "a lost placeholder": ("Напиши число від 1.", GOOD["place"], GOOD["plural"]),
            "an untranslated message": (GOOD["range"], "", GOOD["plural"]),
            "a missing plural form": (GOOD["range"], GOOD["place"],
                                      ["{count} сторона", "{count} сторони", ""]),
            "a plural form without its count": (GOOD["range"], GOOD["place"],
                                                ["{count} сторона", "{count} сторони",
                                                 "сторін"]),
        }
        for fault, texts in cases.items():
            with self.subTest(fault=fault):
                self.assertNotEqual(check(catalog(*texts)).returncode, 0)
        with self.subTest(fault="a fuzzy message"):
            fuzzy = catalog(GOOD["range"], GOOD["place"], GOOD["plural"], fuzzy=True)
            self.assertNotEqual(check(fuzzy).returncode, 0)

    def test_a_changed_placeholder_fails_where_msgfmt_does_not_look(self):
        # msgfmt compares placeholders only in an entry the catalog marks
        # python-brace-format; one that lost the mark (edited by hand, or written before
        # the message had a placeholder) is still checked, by name.
        cases = {
            "a renamed placeholder": ("Напиши число від 1 до {max}.", GOOD["plural"]),
            "a lost placeholder": ("Напиши число від 1.", GOOD["plural"]),
            "a plural form's count renamed": (GOOD["range"], ["{count} сторона", "{n} сторони",
                                                             "{count} сторін"]),
        }
        for fault, (range_text, plural) in cases.items():
            with self.subTest(fault=fault):
                unmarked = catalog(range_text, GOOD["place"], plural).replace(
                    "#, python-brace-format\n", "")
                self.assertNotEqual(check(unmarked).returncode, 0)
        unmarked = catalog(GOOD["range"], GOOD["place"], GOOD["plural"]).replace(
            "#, python-brace-format\n", "")
        self.assertEqual(check(unmarked).returncode, 0, check(unmarked).stdout)


if __name__ == "__main__":
    unittest.main()
