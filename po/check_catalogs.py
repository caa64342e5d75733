#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks the catalogs against the template: every message translated in every shipped
language (no fuzzy, every plural form), the same placeholders, and the same numbers — a
translation must not change «от 1 до 999» into another range. Prints each fault and exits
non-zero when there is one.

    check_catalogs.py velmora.pot [PO_DIR]
"""

import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import catalogs  # noqa: E402
import polib  # noqa: E402

NUMBER = re.compile(r"\d+")


def numbers_of(text):
    return sorted(NUMBER.findall(catalogs.PLACEHOLDER.sub("", text)))


def placeholders_of(text):
    return sorted(set(catalogs.PLACEHOLDER.findall(text)))


def faults_of(language, template, po_dir):
    path = os.path.join(po_dir, language + ".po")
    faults = []
    check = subprocess.run(["msgfmt", "--check", "-o", os.devnull, path],
                           capture_output=True, text=True)
    if check.returncode != 0:
        faults.append(check.stderr.strip())
    translated = catalogs.translations(path)
    for entry in template:
        key = catalogs.key_of(entry)
        where = f"{language}: «{entry.msgid}»"
        forms = translated.get(key)
        if forms is None:
            faults.append(f"{where}: not translated")
            continue
        sources = [entry.msgid] + ([entry.msgid_plural] if entry.msgid_plural else [])
        for i, form in enumerate(forms):
            source = sources[min(i, len(sources) - 1)]
            if numbers_of(form) != numbers_of(source):
                faults.append(f"{where}: numbers {numbers_of(form)} instead of "
                              f"{numbers_of(source)} in «{form}»")
            if placeholders_of(form) != placeholders_of(source):
                faults.append(f"{where}: placeholders {placeholders_of(form)} instead of "
                              f"{placeholders_of(source)} in «{form}»")
    return faults


def main():
    template = polib.pofile(sys.argv[1])
    po_dir = sys.argv[2] if len(sys.argv) > 2 else catalogs.HERE
    languages = catalogs.shipped_languages(po_dir)
    faults = [f for language in languages for f in faults_of(language, template, po_dir)]
    for fault in faults:
        print(fault)
    print(f"{len(template)} messages, {len(languages)} languages, "
          f"{len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
