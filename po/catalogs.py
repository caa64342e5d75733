# SPDX-License-Identifier: GPL-3.0-or-later
"""What the catalog tools share: the languages shipped and reading a catalog."""

import os
import re

import polib

HERE = os.path.dirname(os.path.abspath(__file__))
PLACEHOLDER = re.compile(r"\{([a-z_0-9]+)\}")


def shipped_languages(po_dir=HERE):
    """The translated languages, as po/LINGUAS lists them."""
    with open(os.path.join(po_dir, "LINGUAS"), encoding="utf-8") as linguas:
        return [w for line in linguas for w in line.split("#")[0].split()]


def write_if_changed(path, text):
    """Writes the file only when its text changes, so that what depends on it is not
    rebuilt for nothing."""
    if os.path.exists(path):
        with open(path, encoding="utf-8") as old:
            if old.read() == text:
                return
    with open(path, "w", encoding="utf-8") as out:
        out.write(text)


def key_of(entry):
    """The key the core looks a message up by: "context\\4text" or the text."""
    return (entry.msgctxt + "\x04" if entry.msgctxt is not None else "") + entry.msgid


def translations(po_path):
    """{key: [forms]} of every translated, current message of a catalog."""
    table = {}
    for entry in polib.pofile(po_path):
        if entry.obsolete or "fuzzy" in entry.flags:
            continue
        if entry.msgid_plural:
            forms = [entry.msgstr_plural[i] for i in sorted(entry.msgstr_plural)]
        else:
            forms = [entry.msgstr]
        if all(forms):
            table[key_of(entry)] = forms
    return table


def plural_rule(po_path):
    """The C expression of the catalog's Plural-Forms header, checked to be one."""
    header = polib.pofile(po_path).metadata.get("Plural-Forms", "")
    match = re.search(r"plural=([^;]+);?", header)
    if not match or not re.fullmatch(r"[n0-9\s()%<>=!&|?:]+", match.group(1)):
        raise SystemExit(f"{po_path}: no usable Plural-Forms header: {header!r}")
    return match.group(1).strip()
