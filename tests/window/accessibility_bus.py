#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The program as a screen reader meets it: started on a real X server with Qt's
accessibility bridge on, read and driven through the AT-SPI bus alone.

Run inside a private D-Bus session and X server:
    tests/support/run_on_accessibility_bus.sh accessibility_bus.py /path/to/velmora
Prints 'N passed, N failed' and exits non-zero on any failure.
"""

import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from atspi_bus import Atspi, GLib, check, click, descendants, finish, key, wait_for  # noqa: E402

TITLE = "http://www.example.com Морастела"
names_heard = []  # (role, new name) of every accessible-name change announced


def find_app():
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and app.get_name() == "velmora":
            return app
    return None


def showing(node):
    return node.get_state_set().contains(Atspi.StateType.SHOWING)


def by_name(root, start):
    """The first control on show whose name starts so: the mode not on show keeps its own."""
    def find():
        try:
            return next((n for n in descendants(root)
                         if (n.get_name() or "").startswith(start) and showing(n)), None)
        except GLib.GError:  # replaced while we read it: look again
            return None
    return find() or wait_for(find, 5.0)


def choose_number(numbers, row):
    """The list's own keys pick the number, scrolling as needed."""
    click(numbers)
    key("Home", *["Down"] * row)


def heard(prefix):
    return any(name.startswith(prefix) for _, name in names_heard)


def main(program):
    def on_name(event):
        names_heard.append((event.source.get_role_name(), event.source.get_name() or ""))

    listener = Atspi.EventListener.new(on_name)
    listener.register("object:property-change:accessible-name")

    # Settings of the run's own: the user's progress is neither read nor written.
    settings = tempfile.TemporaryDirectory()
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb",
               XDG_CONFIG_HOME=settings.name)
    velmora = subprocess.Popen([program, "--practice"], env=env)
    try:
        app = wait_for(find_app)
        check("the program is on the accessibility bus", app is not None)
        if app is None:
            return
        frame = wait_for(lambda: app.get_child_at_index(0))
        check("the top level is a frame", frame.get_role() == Atspi.Role.FRAME,
              frame.get_role_name())
        check("the frame's name is the window title", frame.get_name() == TITLE, frame.get_name())

        # Practice on its board: the triangle's level, a start number and compute.
        click(by_name(frame, "2. Триъгълник"))
        click(by_name(frame, "Начално число"))
        key("7")
        click(by_name(frame, "Изчисли"))
        check("compute lists the numbers as tiles",
              all(by_name(frame, "Число %d" % n) for n in range(7, 13)))

        # A tile, then its place, by the bus alone.
        click(by_name(frame, "Число 7"))
        click(by_name(frame, "Долният ляв връх"))
        check("placing a number is announced on its place",
              wait_for(lambda: heard("Долният ляв връх: 7")), names_heard[-5:])
        check("the tile says where its number went",
              by_name(frame, "Число 7, на фигурата: долният ляв връх") is not None)
        for number, place in ((11, "Средата на основата"), (9, "Долният десен връх")):
            click(by_name(frame, "Число %d" % number))
            click(by_name(frame, place))
        base = wait_for(lambda: by_name(frame, "основата: сума"))
        check("a complete side's sum is readable", base is not None
              and base.get_name() == "основата: сума 27", base and base.get_name())
        for number, place in ((8, "Горният връх"), (10, "Средата на дясната страна"),
                              (12, "Средата на лявата страна")):
            click(by_name(frame, "Число %d" % number))
            click(by_name(frame, place))
        check("the verdict is announced",
              wait_for(lambda: heard("Браво! Всяка страна има сума 27.")), names_heard[-5:])
        check("every side is read as equal",
              all(by_name(frame, side + ": сума 27, равна")
                  for side in ("основата", "дясната страна", "лявата страна")))

        # The star, chosen in the mode bar by its level's number once the figure is
        # emptied: its twelve places are named on the bus, and a number placed is heard.
        click(by_name(frame, "Изчисти"))
        chooser = wait_for(lambda: next((n for n in descendants(frame)
                                         if n.get_role() == Atspi.Role.COMBO_BOX), None))
        labels = [r.get_target(0).get_name() for r in (chooser.get_relation_set() if chooser else [])
                  if r.get_relation_type() == Atspi.RelationType.LABELLED_BY]
        check("the figure chooser is labelled and reads its level", labels == ["Фигура:"]
              and chooser.get_name().startswith("2. Триъгълник"), (labels, chooser.get_name()))
        click(chooser)
        key("5", "Return")
        places = wait_for(lambda: [n.get_name() for n in descendants(frame)
                                   if (n.get_name() or "").endswith(": празно") and showing(n)]
                          or None)
        check("the star's twelve places are named", places is not None and len(places) == 12
              and "Горният връх: празно" in places
              and "Вътрешното място вляво: празно" in places, places)
        click(by_name(frame, "Начално число"))  # «Изчисти» emptied it
        key("ctrl+a", "7")
        click(by_name(frame, "Изчисли"))
        click(by_name(frame, "Число 7"))
        click(by_name(frame, "Долният връх"))
        check("placing a number on the star is announced",
              wait_for(lambda: heard("Долният връх: 7")), names_heard[-5:])

        # The demonstration by its key: the statement reads line by line, compute is
        # announced with the list's numbers.
        key("ctrl+1")
        statement = by_name(frame, "Условие на задачата")
        click(statement)
        focused = wait_for(lambda: statement.get_state_set().contains(Atspi.StateType.FOCUSED))
        check("the statement takes the focus", bool(focused))
        key("ctrl+Home")
        before = Atspi.Text.get_caret_offset(statement)
        key("Down")
        after = Atspi.Text.get_caret_offset(statement)
        check("the arrow keys move the statement's caret", after > before, f"{before} → {after}")
        click(by_name(frame, "Триъгълник"))
        click(by_name(frame, "Начално число"))
        key("ctrl+a", "7")
        click(by_name(frame, "Изчисли"))
        check("compute announces the numbers",
              wait_for(lambda: heard("Списък с числата: 7, 8, 9, 10, 11, 12")),
              names_heard[-5:])

        # The demonstration, chosen in the menu: a click fills and is announced.
        click(by_name(frame, "Режим"))
        click(wait_for(lambda: by_name(frame, "Показване")))
        click(by_name(frame, "Ромб"))
        click(by_name(frame, "Изчисли"))
        click(wait_for(lambda: by_name(frame, "Ромб, долен връх")))
        check("a demonstration fill is announced",
              wait_for(lambda: heard("Ромб, долен връх: 9 + 12 = 21")), names_heard[-5:])
    finally:
        velmora.terminate()
        velmora.wait(10)
        listener.deregister("object:property-change:accessible-name")
        settings.cleanup()


if __name__ == "__main__":
    main(sys.argv[1])
    finish()
