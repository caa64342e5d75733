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
         "--accept-lang=bg",  # a Bulgarian pupil's browser: the page follows its language
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

        # Practice on its board: the level path's step, «Начало», «Изчисли», then each
        # number's tile and its place, by real mouse clicks.
        click("Упражнение")
        click("2. Триъгълник")
        click("Начало", Atspi.Role.ENTRY)
        subprocess.run(["xdotool", "type", "7"], check=True)
        click("Изчисли", Atspi.Role.PUSH_BUTTON)
        check("compute gives the numbers' tiles, named", wait_for(lambda: named("Число 12"), 5) is not None)

        # The worked solution: 7 to 12 on the places in their order.
        places = ["Долният ляв връх", "Горният връх", "Долният десен връх", "Средата на дясната страна",
                  "Средата на основата", "Средата на лявата страна"]
        for row, place in enumerate(places):
            click(f"Число {7 + row}")
            click(f"{place}: празно")
        check("the places carry their numbers", wait_for(lambda: named("Горният връх: 8"), 5) is not None,
              [n.get_name() for n in descendants(document) if (n.get_name() or "").endswith(("празно", "8"))])
        check("a placed number says where it stands",
              named("Число 7, на фигурата: долният ляв връх") is not None)
        check("the sums are read in words", wait_for(lambda: named("основата: сума 27, равна"), 5) is not None)
        verdict = "Браво! Всяка страна има сума 27."
        check("the verdict is announced by the status line",
              wait_for(lambda: any(verdict in said for kind, role, said in heard
                                   if kind.startswith("object:text-changed")
                                   and role == Atspi.Role.STATUS_BAR), 5), heard[-5:])

        # The star from the level path, confirmed in the page's box as the triangle's numbers
        # go: its twelve places are buttons named by the core.
        click("5. Звезда")
        check("leaving placed numbers is asked first", wait_for(lambda: named("Да", Atspi.Role.PUSH_BUTTON), 5)
              is not None)
        click("Да", Atspi.Role.PUSH_BUTTON)
        star = lambda: sorted(n.get_name() for n in descendants(document)
                              if (n.get_name() or "").endswith(": празно"))
        check("the star's places are named", len(wait_for(lambda: len(star()) == 12 and star(), 5) or []) == 12
              and {"Горният връх: празно", "Вътрешното място долу вляво: празно"} <= set(star()), star())
    finally:
        browser.terminate()
        browser.wait(10)


if __name__ == "__main__":
    main()
    finish()
