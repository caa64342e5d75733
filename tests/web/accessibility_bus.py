#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The web page as a screen reader meets it: Debian's Chromium on a real X server with
its accessibility on, the page read through the AT-SPI bus alone and played with real
mouse clicks (xdotool). Run inside a private D-Bus session and X server:
    tests/support/run_on_accessibility_bus.sh accessibility_bus.py /path/to/velmora.html
Prints 'N passed, N failed' and exits non-zero on any failure.
"""
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from atspi_bus import Atspi, check, descendants, finish, key, wait_for  # noqa: E402
from atspi_bus import click as click_node  # noqa: E402

TITLE = "http://www.example.com Морастела"
heard = []  # (event type, role, what was said) of every name and text change


def page():
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        for node in descendants(desktop.get_child_at_index(i)):
            if node.get_role() == Atspi.Role.DOCUMENT_WEB and node.get_name() == TITLE:
                return node
    return None


def named(name, role=None):
    for node in descendants(document):
        if node.get_name() == name and (role is None or node.get_role() == role):
            return node
    return None


def click(name, role=None):
    node = wait_for(lambda: named(name, role))
    if node is None:
        raise SystemExit(f"no control named {name!r}")
    click_node(node)


def listen(event):
    text = event.any_data if isinstance(event.any_data, str) else event.source.get_name()
    heard.append((event.type, event.source.get_role(), text))


def main():
    global document
    listener = Atspi.EventListener.new(listen)
    listener.register("object:property-change:accessible-name")
    listener.register("object:text-changed:insert")
    browser = subprocess.Popen(
        ["/usr/bin/chromium", "--no-sandbox", "--disable-gpu", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--force-renderer-accessibility", "--window-position=0,0", "--window-size=800,700",
         "--user-data-dir=" + tempfile.mkdtemp(), "--app=file://" + os.path.abspath(sys.argv[1])],
        env=dict(os.environ, ACCESSIBILITY_ENABLED="1"),
        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        document = wait_for(page, 30)
        check("the page is on the bus, named by the window's caption", document is not None)
        if document is None:
            return
        for name, role in (("Триъгълник", Atspi.Role.RADIO_BUTTON), ("Ромб", Atspi.Role.RADIO_BUTTON),
                           ("Списък с числата", Atspi.Role.LIST_BOX), ("Начално число", Atspi.Role.ENTRY),
                           ("Изчисли", Atspi.Role.PUSH_BUTTON), ("Изчисти", Atspi.Role.PUSH_BUTTON),
                           ("Условие на задачата", Atspi.Role.ENTRY)):
            check(f"{name} is a {role.value_nick}", wait_for(lambda: named(name, role), 5) is not None)

        click("Упражнение")
        click("Триъгълник")
        click("Начално число")
        subprocess.run(["xdotool", "type", "7"], check=True)
        click("Изчисли")
        series = "Списък с числата: 7, 8, 9, 10, 11, 12"
        check("compute announces the list", wait_for(lambda: named(series, Atspi.Role.LIST_BOX), 5)
              is not None and any(said == series for _, _, said in heard), heard[-5:])

        # The worked solution, a number and then its place each time: the number picked
        # with the arrow keys in the list (the list shows four at a time), the place clicked.
        places = ["Триъгълник, долен ляв връх", "Триъгълник, горен връх",
                  "Триъгълник, долен десен връх", "Триъгълник, среда на дясната страна",
                  "Триъгълник, среда на основата", "Триъгълник, среда на лявата страна"]
        for row, place in enumerate(places):
            click(series, Atspi.Role.LIST_BOX)
            key("Home", *["Down"] * row)
            click(place)
        check("the places carry their numbers", named("Триъгълник, горен връх: 8") is not None,
              [n.get_name() for n in descendants(document) if (n.get_name() or "").startswith("Три")])
        check("a placed number is named so", named("7, поставено", Atspi.Role.LIST_ITEM) is not None)
        check("the sums are read in words", wait_for(lambda: named("основата: сума 27, равна"), 5) is not None)
        verdict = "Браво! Всяка страна има сума 27."
        check("the verdict is announced by the status line",
              wait_for(lambda: any(verdict in said for kind, role, said in heard
                                   if kind.startswith("object:text-changed")
                                   and role == Atspi.Role.STATUS_BAR), 5), heard[-5:])

        # The star from the figure menu: its twelve places are buttons named by the core.
        click("Фигура")
        click("5. Звезда")
        star = lambda: sorted(n.get_name() for n in descendants(document) if n.get_role() == Atspi.Role.PUSH_BUTTON
                              and (n.get_name() or "").startswith("Звезда, "))
        check("the star's places are named", len(wait_for(lambda: len(star()) == 12 and star(), 5) or []) == 12
              and {"Звезда, горният връх", "Звезда, вътрешното място долу вляво"} <= set(star()), star())
    finally:
        browser.terminate()
        browser.wait(10)


if __name__ == "__main__":
    main()
    finish()
