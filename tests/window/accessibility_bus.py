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

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "support"))
sys.path.insert(0, os.path.join(HERE, "..", "..", "po"))
from atspi_bus import Atspi, GLib, check, click, descendants, finish, key, wait_for  # noqa: E402
import catalogs  # noqa: E402

TITLE = "http://www.example.com Морастела"
names_heard = []  # (role, new name) of every accessible-name change announced
focus_heard = []  # (role, name) of every control announced as taking the focus


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


def menu_names(frame):
    """The menu bar's menus as they are read: their titles without the & of their key."""
    bar = next((n for n in descendants(frame) if n.get_role() == Atspi.Role.MENU_BAR), None)
    return [bar.get_child_at_index(i).get_name() for i in range(bar.get_child_count())] \
        if bar else []


class English:
    """What the English catalog makes of a Bulgarian text; the text itself when it has none."""

    def __init__(self):
        self.table = catalogs.translations(os.path.join(HERE, "..", "..", "po", "en.po"))

    def text(self, text, context=None):
        return self.table.get((context + "\x04" if context else "") + text, [text])[0]

    def menu(self, title):
        """A menu's title as read, from its message with the & of its key."""
        for key_, forms in self.table.items():
            if key_.startswith("menu\x04") and key_[5:].replace("&", "") == title:
                return forms[0].replace("&", "")
        return title


def cyrillic(text):
    return any("\u0400" <= c <= "\u04ff" for c in text or "")


def start(program, env, arguments=()):
    """The program started again, and its frame once it is on the bus."""
    velmora = subprocess.Popen([program, *arguments], env=env)

    def ours():
        app = find_app()
        try:
            return app if app is not None and app.get_process_id() == velmora.pid else None
        except GLib.GError:  # the run before, leaving the bus
            return None
    app = wait_for(ours)
    frame = wait_for(lambda: app.get_child_at_index(0)) if app else None
    return velmora, frame


def stop(velmora):
    velmora.terminate()
    velmora.wait(10)


def main(program):
    def on_name(event):
        names_heard.append((event.source.get_role_name(), event.source.get_name() or ""))

    listener = Atspi.EventListener.new(on_name)
    listener.register("object:property-change:accessible-name")

    def on_focus(event):
        if event.detail1:
            focus_heard.append((event.source.get_role_name(), event.source.get_name() or ""))

    focus_listener = Atspi.EventListener.new(on_focus)
    focus_listener.register("object:state-changed:focused")

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

        # The focus comes back to «Начало» when the menu «Фигура» closes by Esc (the first Esc
        # leaves its title in the menu bar) and when «Как се играе» (F1) closes by Esc: the
        # screen reader hears it, and the next key typed goes there.
        start_box = by_name(frame, "Начално число")
        click(start_box)
        bar = next(n for n in descendants(frame) if n.get_role() == Atspi.Role.MENU_BAR)
        figure_menu = next(bar.get_child_at_index(i) for i in range(bar.get_child_count())
                           if bar.get_child_at_index(i).get_name() == "Фигура")
        for what, opening in (("the menu «Фигура»", lambda: click(figure_menu)),
                              ("«Как се играе»", lambda: key("F1"))):
            opening()
            key("Escape")
            if what != "«Как се играе»":
                key("Escape")
            back = wait_for(lambda: start_box.get_state_set().contains(Atspi.StateType.FOCUSED)
                            and focus_heard and focus_heard[-1][1] == "Начално число", 5.0)
            check(f"closing {what} by Esc gives the focus back to «Начало»", bool(back),
                  focus_heard[-3:])
        key("ctrl+a", "8")
        check("the key typed then goes into «Начало»",
              wait_for(lambda: Atspi.Text.get_text(start_box, 0, -1) == "8", 3.0) is not None,
              Atspi.Text.get_text(start_box, 0, -1))
        key("ctrl+a", "7")

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

        # «Език» → English: the menus, the form's and the board's buttons and the places are
        # read as the English catalog has them, the caption is the same; the choice is
        # there in the next run, and Български brings every name back.
        english = English()
        bulgarian_menus = menu_names(frame)
        check("the menu bar offers «Език»", "Език" in bulgarian_menus, bulgarian_menus)
        click(by_name(frame, "Език"))
        click(wait_for(lambda: by_name(frame, "English")))
        english_menus = [english.menu(title) for title in bulgarian_menus]
        check("the menus are read in English",
              wait_for(lambda: menu_names(frame) == english_menus), (menu_names(frame),
                                                                    english_menus))
        check("the caption stays", frame.get_name() == TITLE, frame.get_name())
        check("the form's buttons are read in English",
              by_name(frame, english.text("Изчисли")) is not None
              and by_name(frame, english.text("Ромб")) is not None)
        stop(velmora)
        velmora, frame = start(program, env, ["--practice"])
        check("English is kept for the next run",
              frame is not None and wait_for(lambda: menu_names(frame) == english_menus),
              frame and menu_names(frame))
        board = by_name(frame, english.text("Упражнение"))
        check("the board is read in English", board is not None)
        compute = by_name(board, english.text("Изчисли")) if board else None
        check("the board's buttons are read in English", compute is not None
              and by_name(board, english.text("Подсказка", "board button")) is not None)
        click(by_name(board, english.text("Начално число")))
        key("ctrl+a", "8")
        click(compute)
        places = wait_for(lambda: [n.get_name() for n in descendants(board)
                                   if n.get_role() == Atspi.Role.PUSH_BUTTON and showing(n)
                                   and ":" in (n.get_name() or "")])
        check("the places and every name on the board are in English", places and not any(
            cyrillic(n.get_name()) for n in descendants(board) if showing(n)),
            [n.get_name() for n in descendants(board) if cyrillic(n.get_name())][:5])
        click(by_name(frame, english.menu("Език")))
        click(wait_for(lambda: by_name(frame, "Български")))
        check("Български brings the menus back",
              wait_for(lambda: menu_names(frame) == bulgarian_menus), menu_names(frame))
        check("and the board's names",
              by_name(frame, "Упражнение") is not None and by_name(frame, "Изчисли") is not None)
    finally:
        velmora.terminate()
        velmora.wait(10)
        listener.deregister("object:property-change:accessible-name")
        focus_listener.deregister("object:state-changed:focused")
        settings.cleanup()


if __name__ == "__main__":
    main(sys.argv[1])
    finish()
