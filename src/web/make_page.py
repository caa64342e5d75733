#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the web edition as one self-contained page.

The controls' places, texts and accessible names come from the desktop's form
(velmora.ui), so both front ends lay out one description. The template's
placeholders: {{layout}}, {{text:Name}}, {{name:Name}}, {{title}}, {{style}},
{{script}}, {{core}} (the module's loader), {{module}} (the WebAssembly module,
gzipped, in base64, for a script element the browser does not run) and {{texts}} (the
page's own texts in every language, for a script element the browser does not run).
"""
import argparse
import base64
import gzip
import html
import json
import os
import re
import sys
import xml.etree.ElementTree as ElementTree

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "po"))
import catalogs  # noqa: E402
import polib  # noqa: E402


def read_form(path):
    """Each named widget: its geometry (relative to its parent), text and name."""
    widgets = {}
    for widget in ElementTree.parse(path).getroot().iter("widget"):
        entry = {}
        for prop in widget.findall("property"):
            key = prop.get("name")
            rect = prop.find("rect")
            if rect is not None:
                entry["rect"] = [int(rect.find(k).text) for k in ("x", "y", "width", "height")]
            text = prop.find("string")
            if text is not None and key in ("text", "title", "plainText", "accessibleName"):
                entry[key] = text.text or ""
        widgets[widget.get("name")] = entry
    return widgets


def layout_css(widgets):
    rules = []
    for name, entry in widgets.items():
        if "rect" in entry and name != "Velmora":
            x, y, w, h = entry["rect"]
            rules.append(f"#{name}{{left:{x}px;top:{y}px;width:{w}px;height:{h}px}}")
    return "\n".join(rules)


def text_hash(text):
    """FNV-1a of the text's UTF-16 units in base 36, as the page's script finds its texts."""
    value = 0x811C9DC5
    units = text.encode("utf-16-le")
    for i in range(0, len(units), 2):
        value = ((value ^ int.from_bytes(units[i:i + 2], "little")) * 16777619) & 0xFFFFFFFF
    digits = ""
    while True:
        value, digit = divmod(value, 36)
        digits = "0123456789abcdefghijklmnopqrstuvwxyz"[digit] + digits
        if not value:
            return digits


def text_table(pot_path):
    """The page's own texts (its HTML's, the form's and its scripts' tr() calls, as the
    message template lists them) in each language a pupil can choose, for the page to show
    before its first paint: {"keys": [hash of the Bulgarian, ...], code: [text or 0, ...]},
    0 where a catalog has no translation. The pseudo-language's come from the core. As JSON
    that can stand in a script element."""
    texts = [entry.msgid for entry in polib.pofile(pot_path)
             if entry.msgctxt is None and not entry.msgid_plural
             and any(path.startswith(("src/web/", "resources/velmora.ui")) for path, _ in entry.occurrences)]
    table = {"keys": [text_hash(text) for text in texts]}
    if len(set(table["keys"])) != len(texts):
        raise SystemExit("make_page.py: two of the page's texts have the same hash")
    for code in catalogs.shipped_languages():
        found = catalogs.translations(os.path.join(catalogs.HERE, code + ".po"))
        table[code] = [found[text][0] if text in found else 0 for text in texts]
    return json.dumps(table, ensure_ascii=False, separators=(",", ":")).replace("<", "\\u003c")


# Lines that are only a comment: in the style (one comment, over lines or not), in a script.
CSS_COMMENT_LINE = re.compile(r"^[ \t]*/\*(?:(?!\*/).)*\*/[ \t]*\n", re.MULTILINE | re.DOTALL)
JS_COMMENT_LINE = re.compile(r"^[ \t]*//.*\n", re.MULTILINE)


def lean(text, comment):
    """The page's own script or style without the lines that are only a comment (`comment`
    matches one such line) and without indentation: some 24 KB of the page that the browser
    does not need. A template string spanning lines would change: none may."""
    text = comment.sub("", text)
    if any(line.count("`") % 2 for line in text.split("\n")):
        raise SystemExit("make_page.py: a template string spans lines; it cannot be made lean")
    return re.sub(r"^[ \t]+", "", text, flags=re.MULTILINE)


def ascii_page(page):
    """The page in ASCII alone, every other character an escape its place reads: a
    character reference in the HTML, \\uXXXX in a script, \\XXXX and a space in the style.
    Chromium decodes a page with one character beyond Latin-1 in it several times slower,
    the module's base64 and all: 8 ms of the main thread's work before the first frame,
    3 ms in ASCII (a warm load, traced)."""
    def script(text):
        if re.search(r"\\[^\x00-\x7f]", text):
            raise SystemExit("make_page.py: a script escapes a character beyond ASCII itself")

        def units(match):
            code = match.group(0).encode("utf-16-le")
            return "".join(f"\\u{int.from_bytes(code[i:i + 2], 'little'):04x}" for i in range(0, len(code), 2))
        return re.sub(r"[^\x00-\x7f]", units, text)
    escape = {"script": script,
              "style": lambda text: re.sub(r"[^\x00-\x7f]", lambda m: f"\\{ord(m.group(0)):x} ", text),
              "html": lambda text: re.sub(r"[^\x00-\x7f]", lambda m: f"&#x{ord(m.group(0)):x};", text)}
    # The text between elements, then each script or style element and its name.
    parts = re.split(r"(<(script|style)\b[^>]*>.*?</\2\s*>)", page, flags=re.DOTALL | re.IGNORECASE)
    out = []
    for k in range(0, len(parts), 3):
        out.append(escape["html"](parts[k]))
        if k + 1 < len(parts):
            start, content, end = re.match(r"(<[^>]*>)(.*)(</[^>]*>)$", parts[k + 1], flags=re.DOTALL).groups()
            out.append(start + escape[parts[k + 2].lower()](content) + end)
    return "".join(out)


def script_text(text):
    # A script element ends at the first "</script", wherever it stands.
    return re.sub(r"</(script)", r"<\\/\1", text, flags=re.IGNORECASE)


def main():
    parser = argparse.ArgumentParser()
    for option in ("form", "template", "style", "core", "module", "output", "title", "pot"):
        parser.add_argument("--" + option, required=True)
    # The page's scripts, joined in their order into its one script element.
    parser.add_argument("--script", required=True, nargs="+")
    args = parser.parse_args()
    widgets = read_form(args.form)

    def read(path):
        with open(path, encoding="utf-8") as source:
            return source.read()

    def widget_text(match):
        kind, name = match.group(1), match.group(2)
        entry = widgets[name]
        if kind == "name":
            return html.escape(entry["accessibleName"], quote=True)
        text = entry.get("text", entry.get("title", entry.get("plainText")))
        return html.escape(text, quote=False)

    page = read(args.template)
    page = re.sub(r"\{\{(text|name):(\w+)\}\}", widget_text, page)
    for key, value in (("{{title}}", html.escape(args.title)), ("{{layout}}", layout_css(widgets)),
                       ("{{style}}", lean(read(args.style), CSS_COMMENT_LINE))):
        page = page.replace(key, value)
    leftover = re.search(r"\{\{(?!core\}\}|script\}\}|module\}\}|texts\}\})\w+(:\w+)?\}\}", page)
    if leftover:
        raise SystemExit(f"make_page.py: placeholder {leftover.group(0)} left unfilled")
    # The code last, so nothing in it is taken for a placeholder (base64 has no braces,
    # nor a "<" that could end its element).
    # The module packed to two fifths (no time stamp: the same build, the same page).
    with open(args.module, "rb") as module:
        packed = gzip.compress(module.read(), compresslevel=9, mtime=0)
    page = page.replace("{{texts}}", text_table(args.pot))
    page = page.replace("{{module}}", base64.b64encode(packed).decode("ascii"))
    page = page.replace("{{core}}", script_text(read(args.core)))
    page = page.replace("{{script}}", script_text(lean("\n".join(read(path) for path in args.script),
                                                       JS_COMMENT_LINE)))
    with open(args.output, "w", encoding="ascii") as output:
        output.write(ascii_page(page))


if __name__ == "__main__":
    main()
