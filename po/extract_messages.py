#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the message template, velmora.pot, from the sources: xgettext reads the C++
(Tr, TrC, TrN, N_, NC_) and the page's scripts (tr); the page's own HTML and the window's
Designer form give every text they show. Messages with {placeholders} are marked
python-brace-format, so that msgfmt --check finds a translation that loses or renames one.

    extract_messages.py --output velmora.pot FILE...
"""

import argparse
import html.parser
import os
import re
import subprocess
import sys
import xml.etree.ElementTree as ElementTree

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import catalogs  # noqa: E402
import polib  # noqa: E402

CYRILLIC = re.compile("[\u0400-\u04ff]")
XGETTEXT = ["xgettext", "--from-code=UTF-8", "--add-comments=TRANSLATORS:", "--no-wrap",
            "--package-name=velmora", "-o", "-"]
CPP_KEYWORDS = ["-k", "-kTr", "-kTrC:1c,2", "-kTrN:1,2", "-kN_", "-kNC_:1c,2"]


def run_xgettext(language, keywords, files, root):
    if not files:
        return []
    text = subprocess.run(XGETTEXT + ["-L", language] + keywords + files, cwd=root,
                          check=True, capture_output=True).stdout.decode("utf-8")
    # The header xgettext writes says the charset, which polib needs.
    text = text.replace("charset=CHARSET", "charset=UTF-8")
    return list(polib.pofile(text)) if text.strip() else []


class PageTexts(html.parser.HTMLParser):
    """Every Bulgarian text of a page: its text nodes and attribute values."""

    def __init__(self):
        super().__init__()
        self.found = []

    def handle_starttag(self, tag, attrs):
        self.found += [v for _, v in attrs if v and CYRILLIC.search(v)]

    def handle_data(self, data):
        if CYRILLIC.search(data):
            self.found.append(" ".join(data.split()))


def page_texts(path):
    parser = PageTexts()
    with open(path, encoding="utf-8") as page:
        parser.feed(page.read())
    return parser.found


def form_texts(path):
    """The texts a Designer form shows (Qt translates them through the core's catalog)."""
    return [s.text for s in ElementTree.parse(path).iter("string")
            if s.text and s.get("notr") != "true" and CYRILLIC.search(s.text)]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--output", required=True)
    parser.add_argument("--root", default=os.getcwd(), help="paths are written relative to it")
    parser.add_argument("files", nargs="+")
    args = parser.parse_args()
    files = [os.path.relpath(os.path.abspath(f), args.root) for f in args.files]
    by_kind = lambda *ends: [f for f in files if f.endswith(ends)]  # noqa: E731

    entries = run_xgettext("C++", CPP_KEYWORDS, by_kind(".cpp", ".h"), args.root)
    entries += run_xgettext("JavaScript", ["-k", "-ktr"], by_kind(".js"), args.root)
    for path, texts in [(f, page_texts(os.path.join(args.root, f))) for f in by_kind(".html")] + \
                       [(f, form_texts(os.path.join(args.root, f))) for f in by_kind(".ui")]:
        entries += [polib.POEntry(msgid=t, occurrences=[(path, "")]) for t in texts]

    pot = polib.POFile(wrapwidth=0)
    pot.metadata = {"Project-Id-Version": "velmora", "MIME-Version": "1.0",
                    "Content-Type": "text/plain; charset=UTF-8",
                    "Content-Transfer-Encoding": "8bit"}
    seen = {}
    for entry in entries:
        key = catalogs.key_of(entry)
        if key in seen:
            seen[key].occurrences += [o for o in entry.occurrences
                                      if o not in seen[key].occurrences]
            continue
        if catalogs.PLACEHOLDER.search(entry.msgid + (entry.msgid_plural or "")):
            entry.flags = sorted(set(entry.flags) | {"python-brace-format"})
        seen[key] = entry
        pot.append(entry)
    text = str(pot)
    catalogs.write_if_changed(args.output, text)


if __name__ == "__main__":
    main()
