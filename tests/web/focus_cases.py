# SPDX-License-Identifier: GPL-3.0-or-later
"""Where the keyboard focus goes when a menu or a dialog of the page closes, by every way it
closes: the page test's cases (test_page.py runs them in its browser).

When a menu, a question or a message closes, the focus
- goes back to the control that opened it, for Esc, the menu's button again, a click or
  a tap beside it on no control, «Не», «Затвори» and Enter on the button that has the
  focus; a click or tap beside a menu on another control leaves the focus there, and Tab
  out of a menu goes on to the next control;
- goes where the choice leads when an item or an answer carries something out that moves
  on: a figure from «Фигура» or the level path goes to «Начало», where its start number is
  typed; a language to the language menu's button; «Започни отначало» to «Фигура» once the
  question is answered; an answer «Да» where the same action leads when nothing needs
  asking, and another mode (the board's «Показване», the bar's «Упражнение») to that
  mode's first step;
- never to nothing (the page's body), never to a control hidden or inside a closed menu or
  dialog; while a dialog is open, a tap beside it leaves it open with the focus inside.
"""
from urllib.parse import urlsplit

from selenium.common.exceptions import TimeoutException
from selenium.webdriver.common.actions import interaction
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.actions.pointer_input import PointerInput
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

from page_driver import element, load

# Where the focus is, and what is wrong with it: nothing, hidden, in a closed menu or dialog,
# or outside the dialog that is open. With the next frame, after the page has moved the
# focus it moves with that frame.
FOCUS = """const done = arguments[arguments.length - 1];
requestAnimationFrame(() => {
    const at = document.activeElement;
    const name = !at || at === document.body ? 'nothing' : at.id || at.className + ' ' +
        (at.dataset.command ?? at.dataset.index ?? at.dataset.language ?? '');
    const dialog = [...document.querySelectorAll('dialog')].find((d) => d.open);
    const fault = !at || at === document.body ? 'on nothing'
        : !at.getClientRects().length ? 'on a control not shown'
        : at.closest('[hidden], dialog:not([open])') ? 'inside a closed menu or dialog'
        : dialog && !dialog.contains(at) ? 'outside the open dialog' : '';
    done([name, fault, dialog ? dialog.id : '', !document.getElementById('levels').hidden,
          !document.getElementById('languages').hidden]);
});"""


class FocusCases:
    """Mixed into the page test: its browser, its page and its helpers."""

    def focus(self):
        """[the focused control's id (or class and index), what is wrong, the open dialog,
        «Фигура» open, «Език» open]."""
        return self.driver.execute_async_script(FOCUS)

    def assert_focus(self, expected, dialog=""):
        # The page moves the focus with the frame after the event that closes, which may come
        # a frame late on a busy machine: a moment is given.
        try:
            WebDriverWait(self.driver, 2, poll_frequency=0.05).until(lambda d: self.focus()[0] == expected)
        except TimeoutException:
            pass
        name, fault, shown, levels, languages = self.focus()
        self.assertEqual([name, fault, shown, levels, languages], [expected, "", dialog, False, False])

    def page(self, query=""):
        load(self.driver, urlsplit(self.driver.current_url).path, query)

    def level_step(self, step):
        return self.driver.find_element(By.CSS_SELECTOR, f"#boardLevels > :nth-child({step + 1})")

    def tap_at(self, x, y):
        actions = ActionBuilder(self.driver, mouse=PointerInput(interaction.POINTER_TOUCH, "finger"))
        actions.pointer_action.move_to_location(round(x), round(y)).pointer_down().pointer_up()
        actions.perform()

    def click_at(self, x, y):
        actions = ActionBuilder(self.driver)
        actions.pointer_action.move_to_location(round(x), round(y)).click()
        actions.perform()

    def beside(self, name):
        """The middle of a control that takes no focus, for a click beside a menu."""
        r = element(self.driver, name).rect
        return r["x"] + r["width"] / 2, r["y"] + r["height"] / 2

    def test_focus_after_the_menus(self):
        # «Фигура» and «Език» in the bar, opened by a click or by Enter on their button,
        # closed every way; each row ends with the focus where it names.
        def choose(selector):
            return lambda: self.driver.find_element(By.CSS_SELECTOR, selector).click()

        cases = (
            ("Esc", lambda menu: self.keys(Keys.ESCAPE), None),
            ("its button again", lambda menu: self.click(menu), None),
            ("a click on no control", lambda menu: self.click_at(*self.beside("status")), None),
            ("a click on «Начало»", lambda menu: self.click("Text2"), "Text2"),
            ("Tab out of the menu", lambda menu: self.keys(Keys.END, Keys.TAB), "next"),
        )
        for menu in ("figureMenu", "languageMenu"):
            self.page()  # nothing of these changes the page: one for them all
            for opening in ("click", "Enter"):
                for way, close, expected in cases:
                    if opening == "Enter" and way not in ("Esc", "a click on no control"):
                        continue  # the rest as after a click
                    with self.subTest(menu=menu, opened=opening, closed=way):
                        if opening == "click":
                            self.click(menu)
                        else:
                            element(self.driver, menu).send_keys(Keys.ENTER)
                        self.assertEqual(self.focus()[3:], [menu == "figureMenu", menu == "languageMenu"])
                        close(menu)
                        if expected == "next":
                            # The control after the menu in the bar's order, on show.
                            name, fault, shown, levels, languages = self.focus()
                            self.assertEqual([fault, shown, levels, languages], ["", "", False, False])
                            self.assertNotIn(name, (menu, "nothing"))
                        else:
                            self.assert_focus(expected or menu)
        # A choice: the figure on show and one of practice's go to «Начало», the language to
        # the menu's button; «Започни отначало» asks first, in the browser's own box.
        for what, opening, chosen, expected in (
                ("«Фигура» → Триъгълник", "figureMenu", choose("#level0"), "Text2"),
                ("«Фигура» → Звезда by keys", "figureMenu",
                 lambda: self.keys(Keys.HOME, *[Keys.ARROW_DOWN] * 4, Keys.ENTER), "startBox"),
                ("«Език» → Български", "languageMenu", choose("#languages [lang=bg]"), "languageMenu"),
                ("«Започни отначало», «Отказ»", "figureMenu",
                 lambda: (self.click("forget"), self.driver.switch_to.alert.dismiss()), "figureMenu"),
                ("«Започни отначало», «OK»", "figureMenu",
                 lambda: (self.click("forget"), self.driver.switch_to.alert.accept()), "figureMenu")):
            with self.subTest(chosen=what):
                self.page()
                element(self.driver, opening).click()
                chosen()
                self.assert_focus(expected)
        self.page()  # the language choice forgotten

    def test_focus_after_the_dialogs(self):
        # «Защо става?» and «Как се играе» from the bar, the keys and the board, and the
        # board's question before numbers on the figure are lost, each closed every way.
        for where, opening, opener in (
                ("", lambda: self.click("why"), "why"),
                ("", lambda: self.click("help"), "help"),
                ("", lambda: (self.click("Text2"), self.keys(Keys.F1)), "Text2"),
                ("", lambda: (self.click("Text2"), self.chord(Keys.CONTROL, "e")), "Text2"),
                ("?practice", lambda: self.command(2).click(), "command 2"),
                ("?practice", lambda: self.command(4).click(), "command 4")):
            self.page(where)
            for way in ("Esc", "«Затвори»", "Enter", "a click beside it, then Esc"):
                if opener not in ("why", "command 4") and way not in ("Esc", "«Затвори»"):
                    continue  # every way for one of the bar's and one of the board's
                with self.subTest(opened=opener, page=where, closed=way):
                    opening()
                    self.assertEqual(self.focus()[:3], ["messageOk", "", "message"])
                    if way == "«Затвори»":
                        self.click("messageOk")
                    elif way == "Enter":
                        self.keys(Keys.ENTER)
                    else:
                        if way != "Esc":
                            self.click_at(4, 4)  # the backdrop: the box stays, the focus in it
                            self.assertEqual(self.focus()[1:3], ["", "message"])
                        self.keys(Keys.ESCAPE)
                    self.assert_focus(opener)
        # The question, with 7 on the triangle's first place: each way but «Да» keeps it.
        for opener, opening, after_yes in (
                ("step 2", lambda: self.level_step(2).click(), "startBox"),
                ("command 5", lambda: self.command(5).click(), "command 5"),
                ("startBox", lambda: element(self.driver, "startBox").send_keys(Keys.ENTER), "startBox")):
            self.start_board()
            self.tile(0).click()
            self.place(0).click()
            for way in ("«Не»", "Esc", "Enter", "«Да»"):
                with self.subTest(asked=opener, answered=way):
                    if opener == "startBox":
                        element(self.driver, "startBox").click()
                    opening()
                    self.assertEqual(self.focus()[:3], ["confirmNo", "", "confirm"])  # «Не» first
                    {"«Не»": lambda: self.click("confirmNo"), "Esc": lambda: self.keys(Keys.ESCAPE),
                     "Enter": lambda: self.keys(Keys.ENTER), "«Да»": lambda: self.click("confirmYes")}[way]()
                    WebDriverWait(self.driver, 5).until(lambda d: not d.execute_script(
                        "return document.getElementById('confirm').open"))
                    self.assert_focus(after_yes if way == "«Да»" else opener)
                    self.assertEqual(self.board()[0][0], "" if way == "«Да»" else "7")

    def test_focus_after_another_mode(self):
        # The board's «Показване» and the bar's «Упражнение» hide the button pressed: the
        # mode shown starts at its first step.
        self.start_board()
        self.command(6).click()
        self.assert_focus("Text1_0")
        self.click("modePractice")
        self.assert_focus("startBox")

    def test_focus_on_a_phone(self):
        # 360 × 640 by finger: a tap beside a menu, a level chosen, a message and the board's
        # question closed by taps; a tap beside an open box leaves it open.
        self.phone()
        try:
            for menu in ("figureMenu", "languageMenu"):
                with self.subTest(menu=menu):
                    self.page()
                    self.finger(element(self.driver, menu))
                    self.assertEqual(self.focus()[3:], [menu == "figureMenu", menu == "languageMenu"])
                    self.tap_at(*self.beside("status"))
                    self.assert_focus(menu)
            self.finger(element(self.driver, "figureMenu"))
            self.finger(self.driver.find_element(By.XPATH, "//*[@id='levelList']/button[contains(., 'Звезда')]"))
            self.assert_focus("startBox")
            self.page()
            self.finger(element(self.driver, "why"))
            self.tap_at(4, 636)
            self.assertEqual(self.focus()[1:3], ["", "message"])
            self.finger(element(self.driver, "messageOk"))
            self.assert_focus("why")
            for answer, expected in (("confirmNo", "step 2"), ("confirmYes", "startBox")):
                with self.subTest(answer=answer):
                    self.start_board()
                    self.finger(self.tile(0))
                    self.finger(self.place(0))
                    self.finger(self.level_step(2))
                    self.tap_at(4, 4)
                    self.assertEqual(self.focus()[1:3], ["", "confirm"])
                    self.finger(element(self.driver, answer))
                    self.assert_focus(expected)
        finally:
            self.driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": False})
