#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The web edition in Debian's headless Chromium, opened from disk: the layout, both
demonstration games by clicks and by keys, practice by clicks and keys, the outline, the
fit to the window, presentation tap targets, odd input, and that nothing errs or leaves it."""
import os
import sys
import unittest

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

from page_driver import element, load, open_browser, problems, requests, set_viewport

PAGE = sys.argv.pop(1) if len(sys.argv) > 1 else "build/web/velmora.html"

# The window's layout in twips: left, top, width, height (options inside the frame).
LAYOUT = {
    "Label1_0": (1440, 0, 4095, 375), "Label1_1": (6360, 480, 735, 375),
    "Label1_2": (360, 3120, 975, 375), "Frame1": (120, 480, 1815, 1215),
    "Option1_0": (120 + 120, 480 + 360, 1575, 375), "Option1_1": (120 + 120, 480 + 720, 1575, 375),
    "List1": (6360, 840, 735, 1200), "Text2": (1320, 3120, 1095, 405),
    "Command1_0": (4440, 3120, 1095, 375), "Command1_1": (6000, 3120, 1095, 375),
    "Text1_0": (120, 3840, 6975, 2055),
    "Label2_0": (2880, 600, 1215, 615), "Label2_1": (840, 1800, 1215, 615),
    "Label2_2": (2880, 3000, 1215, 615), "Label2_3": (4920, 1800, 1215, 615),
    "Label3_0": (1320, 2400, 735, 375), "Label3_1": (3360, 480, 735, 375),
    "Label3_2": (5400, 2400, 735, 375), "Label3_3": (4560, 1440, 735, 375),
    "Label3_4": (3360, 2400, 735, 375), "Label3_5": (2040, 1440, 735, 375),
}
OUTLINE = {  # the worked table: x1, y1, x2, y2 in twips
    0: [[1320, 2775, 6135, 2775], [1320, 2775, 3727.5, 855], [6135, 2775, 3727.5, 855]],
    1: [[3487.5, 1215, 2055, 2108], [3487.5, 1215, 4920, 2108], [3487.5, 3000, 2055, 2108],
        [3487.5, 3000, 4920, 2108]],
}
STATEMENT_LINE_3 = ("Чрез реализираният проект се въвежда едно естествено число и се  генерира "
                    "редица от последователни естествени числа с начало въведеното число.")
# The figures drawn from the core's description: the level's index in the menu, a solution
# (place k takes the number in list row rows[k]), the equal sum from 999, the first place's
# name and the outline's segments (the square's: four per box).
DRAWN = {
    "v": (0, [0, 3, 4, 1, 2], "= 3004", "Магическо V, горният ляв връх", 2),
    "big-triangle": (3, [0, 1, 2, 3, 7, 5, 6, 4, 8], "= 4009", "Голям триъгълник, долният ляв връх", 3),
    "star": (4, [0, 1, 10, 11, 4, 3, 5, 2, 6, 7, 8, 9], "= 4018", "Звезда, горният връх", 6),
    "square": (5, [1, 6, 5, 8, 4, 0, 3, 2, 7], "= 3009", "Магически квадрат, горният ляв ъгъл", 36),
}
# Boxes that overlap, or whose text does not show whole, among the drawn figure's places and
# sums and the form's controls beside them.
CROWDED = """return new Promise((done) => requestAnimationFrame(() => {
    const shown = [...document.querySelectorAll('.drawn:not([hidden]) > :is(.place, .sum.shown)')];
    const boxes = [...shown, ...['Label1_0', 'Frame1', 'List1', 'Text2', 'Command1_0', 'Command1_1']
        .map((id) => document.getElementById(id))].map((e) => [e.id, e.getBoundingClientRect()]);
    const clipped = shown.filter((e) => e.scrollWidth > e.clientWidth || e.scrollHeight > e.clientHeight);
    const over = boxes.flatMap(([a, r], i) => boxes.slice(i + 1).filter(([b, q]) => r.left < q.right &&
        q.left < r.right && r.top < q.bottom && q.top < r.bottom).map(([b]) => a + '/' + b));
    done([...clipped.map((e) => e.id), ...over]); }))"""
TRIANGLE_7 = ["7", "8", "9", "10", "11", "12"]
RHOMBUS_7 = ["7 + 14 = 21", "8 + 13 = 21", "9 + 12 = 21", "10 + 11 = 21"]


class Page(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.driver = open_browser()

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()

    def setUp(self):
        set_viewport(self.driver, 1024, 768)
        requests(self.driver)  # the browser's own start, before the page
        load(self.driver, PAGE)

    def tearDown(self):
        # Whatever a test did, the page erred nowhere and asked for nothing outside itself.
        self.assertEqual(problems(self.driver), [])
        outside = [u for u in requests(self.driver) if not u.startswith(("file:", "data:"))]
        self.assertEqual(outside, [])
        # It keeps the pupil's progress under one key, nothing else.
        self.assertIn(self.js("return [Object.keys(localStorage), sessionStorage.length, document.cookie]"),
                      [[[], 0, ""], [["velmora.progress"], 0, ""]])

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def click(self, name):
        element(self.driver, name).click()

    def keys(self, *keys):
        ActionChains(self.driver).send_keys(*keys).perform()

    def snap(self, name):
        """With VELMORA_SCREENSHOTS=<folder>, the page as it looks now, for the README."""
        if os.environ.get("VELMORA_SCREENSHOTS"):
            self.driver.save_screenshot(os.path.join(os.environ["VELMORA_SCREENSHOTS"], name + ".png"))

    def chord(self, modifier, *keys):
        ActionChains(self.driver).key_down(modifier).send_keys(*keys).key_up(modifier).perform()

    def captions(self, figure):
        names = [f"Label3_{k}" for k in range(6)] if figure == 0 else [f"Label2_{v}" for v in range(4)]
        return [element(self.driver, n).text for n in names]

    def type_start(self, text):
        field = element(self.driver, "Text2")
        field.clear()
        field.send_keys(text)

    def box(self, name):
        """The control's box relative to the form, in layout pixels."""
        return self.js("""const r = document.getElementById(arguments[0]).getBoundingClientRect();
            const f = document.getElementById('Velmora').getBoundingClientRect();
            const s = f.width / 481;
            return [(r.left - f.left) / s, (r.top - f.top) / s, r.width / s, r.height / s];""", name)

    def test_file_and_texts(self):
        self.assertLess(os.path.getsize(PAGE), 300 * 1024)
        self.assertEqual(self.js("return document.documentElement.lang"), "bg")
        statement = self.js("return document.getElementById('Text1_0').value").split("\n")
        self.assertEqual(len(statement), 7)  # six lines, each ended
        self.assertEqual(statement[2], STATEMENT_LINE_3)
        self.assertEqual(self.js("return getComputedStyle(document.body).fontFamily"),
                         '"Times New Roman", "Liberation Serif", Tinos, serif')

    def test_layout_within_a_pixel(self):
        for figure in (0, 1):
            self.click(f"Option1_{figure}")
            for name, twips in LAYOUT.items():
                if name.startswith("Label3" if figure == 1 else "Label2"):
                    continue
                with self.subTest(name=name):
                    expected = [v / 15 for v in twips]
                    for got, want in zip(self.box(name), expected):
                        self.assertLessEqual(abs(got - want), 1, (name, self.box(name), expected))

    def test_outline_follows_the_worked_table(self):
        for figure in (1, 0, 1):
            self.click(f"Option1_{figure}")
            self.assertEqual(self.js("return window.velmoraOutline"), OUTLINE[figure])
            drawn = self.js("""return [...document.querySelectorAll('#outline line')].map(
                l => ['x1','y1','x2','y2'].map(k => Number(l.getAttribute(k))))""")
            self.assertEqual(drawn, OUTLINE[figure])

    def test_demonstration_by_clicks(self):
        for figure, expected in ((0, TRIANGLE_7), (1, RHOMBUS_7)):
            with self.subTest(figure=figure):
                self.type_start("7")
                self.click(f"Option1_{figure}")
                self.click("Command1_0")
                series = self.js("return [...document.querySelectorAll('#List1 .item')].map(i => i.textContent)")
                self.assertEqual(series, [str(n) for n in range(7, 7 + (6 if figure == 0 else 8))])
                # The worked example's order: list item 4, then the apex, then the rest.
                element(self.driver, "List1_item4" if figure == 0 else "List1_item6").click()
                prefix = "Label3_" if figure == 0 else "Label2_"
                for position in range(len(expected)):
                    self.click(prefix + str(position))
                self.assertEqual(self.captions(figure), expected)
                self.click("Command1_1")
                self.assertEqual(self.captions(figure), [""] * len(expected))

    def test_demonstration_by_keys(self):
        # From the statement, as the window opens: Tab to the figure, the list, the start box.
        self.assertEqual(self.driver.switch_to.active_element.get_attribute("id"), "Text1_0")
        self.keys(Keys.TAB, Keys.SPACE)  # the triangle
        self.keys(Keys.TAB, Keys.TAB, "7", Keys.TAB, Keys.ENTER)  # list, start box, compute
        self.chord(Keys.SHIFT, Keys.TAB, Keys.TAB)  # back to the list
        self.assertEqual(self.driver.switch_to.active_element.get_attribute("id"), "List1")
        self.keys(Keys.SPACE, *[Keys.ARROW_DOWN] * 5)  # Space takes the first number
        self.assertEqual(self.captions(0), TRIANGLE_7)
        # Arrows in the figure group choose the rhombus; the list fills its vertices.
        element(self.driver, "Option1_0").find_element("css selector", "input").send_keys(Keys.ARROW_DOWN)
        self.click("Command1_0")
        element(self.driver, "List1").send_keys(Keys.HOME, *[Keys.ARROW_DOWN] * 3)
        self.assertEqual(self.captions(1), RHOMBUS_7)
        self.assertEqual(element(self.driver, "List1").accessible_name,
                         "Списък с числата: 7, 8, 9, 10, 11, 12, 13, 14")

    def test_practice_game(self):
        self.click("modePractice")
        self.type_start("7")
        self.click("Option1_0")
        self.click("Command1_0")
        # 7 8 9 12 10 11 on positions 0..5: base 7+10+9 and left 8+11+7 are 26, the right
        # side 9+12+8 is 29; then moved to the worked solution, every side 27.
        for row, position in ((0, 0), (1, 1), (2, 2), (5, 3), (3, 4), (4, 5)):
            element(self.driver, f"List1_item{row}").click()
            self.click(f"Label3_{position}")
        sums = [element(self.driver, f"LineSum3_{l}").text for l in range(3)]
        self.assertEqual(sums, ["= 26", "29 (+3)", "= 26"])
        self.assertIn("off", element(self.driver, "LineSum3_1").get_attribute("class"))
        self.assertIn("с 3 по-голяма от сумите на основата и на лявата страна (26)",
                      element(self.driver, "status").text)
        # By keys: a placed number taken back and put where the solution wants it.
        for position, row in ((3, 3), (4, 4), (5, 5)):
            self.click(f"Label3_{position}")  # gives its number back
        for position, row in ((3, 3), (4, 4), (5, 5)):
            element(self.driver, f"List1_item{row}").click()
            element(self.driver, f"Label3_{position}").send_keys(Keys.SPACE)
        self.assertEqual([element(self.driver, f"LineSum3_{l}").text for l in range(3)], ["= 27"] * 3)
        status = element(self.driver, "status")
        self.assertEqual(status.get_attribute("role"), "status")
        self.assertIn("Браво! Всяка страна има сума 27.", status.text)
        self.assertEqual(element(self.driver, "Label3_1").accessible_name, "Триъгълник, горен връх: 8")
        self.assertEqual(element(self.driver, "List1_item0").accessible_name, "7, поставено")
        set_viewport(self.driver, 560, 520)
        self.snap("web")
        set_viewport(self.driver, 1024, 768)
        # Hints and the solution on the rhombus.
        self.click("Option1_1")
        self.click("Command1_0")
        self.chord(Keys.CONTROL, "h")
        self.assertTrue(status.text.startswith("Подсказка:"), status.text)
        self.click("solution")
        self.assertTrue(all(self.captions(1)), self.captions(1))
        self.assertEqual(status.text, self.js("return velmoraView.status"))
        self.click("why")
        self.assertEqual(element(self.driver, "messageText").text, self.js("return velmoraView.message"))

    def form_width(self):
        # After the next frame: a new window size reaches the page with the frame's resize event.
        return self.js("""return new Promise((done) => requestAnimationFrame(() => done(
            document.getElementById('Velmora').getBoundingClientRect().width)))""")

    def test_fits_the_window(self):
        # Scaled as a whole to the room, centred; everything on screen, the status line below
        # the form at a fixed height, its long texts shrunk; dialogs as large as the form.
        for width, height, smallest, largest, letters in ((360, 740, 359, 360, 16), (1024, 768, 760, 800, 26)):
            with self.subTest(screen=(width, height)):
                set_viewport(self.driver, width, height)
                load(self.driver, PAGE, "?practice")
                self.assertTrue(smallest <= self.form_width() <= largest, self.form_width())
                self.click("Option1_1")
                # The core says a wrong start text back whole: a long one makes a long status.
                line = self.js("""const box = document.getElementById('Text2'), h = document.getElementById('status').offsetHeight;
                    box.value = 'Седем'.repeat(30); box.dispatchEvent(new Event('input')); return h;""")
                self.keys(Keys.ENTER)
                outside = self.js("""return new Promise((done) => requestAnimationFrame(() => {
                    const s = document.getElementById('status'), t = s.getBoundingClientRect();
                    const f = document.getElementById('Velmora').getBoundingClientRect();
                    done([document.documentElement.scrollWidth - innerWidth, Math.round(f.left + f.right - innerWidth),
                        t.top < f.bottom - 0.5, s.scrollHeight > s.clientHeight, s.offsetHeight, ...[...document.querySelectorAll(
                        '#toolbar button, #Velmora > :not(.position, .sum, #Text1_1)')].map((e) => e.getBoundingClientRect())
                        .filter((r) => r.left < 0 || r.top < 0 || r.right > innerWidth || r.bottom > innerHeight)]); }))""")
                self.assertEqual(outside, [0, 0, False, False, line])
                self.chord(Keys.CONTROL, "e")
                self.assertEqual(self.js("""const box = document.getElementById('message');
                    return [getComputedStyle(box).fontSize, box.querySelector('button').textContent]"""), [f"{letters}px", "Затвори"])

    def test_zoom_steps_below_the_room(self):
        # The form fills the room; the window's steps show it smaller, Ctrl+0 fills again.
        for width, height, smaller in ((800, 600, 100), (1920, 1080, 200)):
            with self.subTest(screen=(width, height)):
                set_viewport(self.driver, width, height)
                load(self.driver, PAGE)
                filled = self.form_width()
                self.chord(Keys.CONTROL, "-")
                self.assertEqual(self.form_width(), 481 * smaller / 100)
                self.chord(Keys.CONTROL, "+", "+", "+", "+", "+", "+", "+")
                self.assertEqual(self.form_width(), filled)
                self.chord(Keys.CONTROL, "-", "0")
                self.assertEqual(element(self.driver, "zoomValue").text, f"{round(filled / 4.81)} %")
        # A window made smaller takes the form down to fit it.
        self.chord(Keys.CONTROL, "-")
        set_viewport(self.driver, 800, 600)
        self.assertLessEqual(self.form_width(), 800)

    def test_practice_keys_hint_kept_and_own_placement_back(self):
        self.click("Option1_0")
        self.type_start("7")
        self.keys(Keys.ENTER)  # the demonstration computes only by its button
        self.assertEqual(self.js("return velmoraView.series"), [])
        load(self.driver, PAGE, "?practice")
        self.assertEqual(self.js("return document.activeElement.id"), "Text2")  # type at once
        self.assertNotEqual(*[element(self.driver, n).value_of_css_property("background-color")
                              for n in ("modeDemonstration", "modePractice")])
        for figure, text, told in ((None, "7", "«Триъгълник»"), (0, "0", "«Начало»"), (0, "abc", "«abc»")):
            if figure is not None:
                self.click(f"Option1_{figure}")
            self.type_start(text)
            self.keys(Keys.ENTER)
            self.assertIn(told, element(self.driver, "status").text, text)
        self.type_start("7")
        self.keys(Keys.ENTER)
        element(self.driver, "List1_item0").click()
        self.click("Label3_1")
        own = self.captions(0)
        self.chord(Keys.CONTROL, "h")
        hint = element(self.driver, "status").text
        self.chord(Keys.CONTROL, "e")
        self.assertEqual([element(self.driver, n).text for n in ("messageTitle", "status")], ["Защо става?", hint])
        self.keys(Keys.ESCAPE)
        self.assertFalse(self.js("return document.getElementById('message').open"))
        self.chord(Keys.CONTROL, "r")
        self.assertTrue(all(self.captions(0)) and self.captions(0) != own, self.captions(0))
        self.assertEqual(element(self.driver, "solution").text, "Върни моята подредба")
        self.click("solution")
        self.assertEqual([self.captions(0), element(self.driver, "solution").text], [own, "Покажи решение"])
        # Tab into the start box selects nothing, so the help's Space erases nothing.
        self.click("Command1_0")
        self.chord(Keys.SHIFT, Keys.TAB)
        self.keys(Keys.SPACE)
        self.assertEqual(element(self.driver, "Text2").get_attribute("value").strip(), "7")

    def test_presentation_tap_targets(self):
        self.click("modePractice")
        self.type_start("7")
        self.click("Option1_0")
        self.click("Command1_0")
        normal = self.form_width()
        self.click("fullScreen")
        targets = self.js("""return [...document.querySelectorAll(
            '#toolbar button, .option, #List1 .item, .position, #Text2, .command')]
            .filter(e => e.offsetParent).map(e => {const r = e.getBoundingClientRect();
            return [e.id || e.textContent, r.width, r.height, r.right, r.bottom];})""")
        self.assertGreater(len(targets), 20)
        # Taps land where the scaled form shows its targets.
        for row, position in ((0, 0), (1, 1), (2, 2), (4, 4)):
            element(self.driver, f"List1_item{row}").click()
            self.click(f"Label3_{position}")
        self.assertEqual(self.captions(0), ["7", "8", "9", "", "11", ""])
        self.snap("web-presentation")
        for name, width, height, right, bottom in targets:
            with self.subTest(target=name):
                self.assertGreaterEqual(min(width, height), 40)
        self.assertTrue(self.js("""const r = document.getElementById('Velmora').getBoundingClientRect();
            return r.bottom <= innerHeight && r.right <= innerWidth && r.width > 1.6 * 481"""))
        self.assertEqual(element(self.driver, "fullScreen").text, "Изход от цял екран")
        self.keys(Keys.ESCAPE)
        self.assertEqual([self.form_width(), element(self.driver, "fullScreen").text], [normal, "Цял екран"])

    def test_inputs_before_the_core_are_kept(self):
        # The core held back: the form shows and takes a whole game's start, answered in
        # order once the core is there.
        hold = self.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": """
            const instantiate = WebAssembly.instantiate;
            const held = new Promise((release) => { window.releaseCore = release; });
            WebAssembly.instantiate = (...args) => held.then(() => instantiate.apply(WebAssembly, args));"""})
        try:
            self.driver.get("file://" + os.path.abspath(PAGE))
        finally:
            self.driver.execute_cdp_cmd("Page.removeScriptToEvaluateOnNewDocument", hold)
        self.assertIsNone(self.js("return document.documentElement.dataset.ready"))
        self.click("Option1_0")
        self.type_start("7")
        self.click("Command1_0")
        self.js("releaseCore()")
        ready = self.js("""return new Promise((done) => { const wait = () =>
            document.documentElement.dataset.ready ? done(true) : setTimeout(wait, 10); wait(); })""")
        self.assertTrue(ready)
        series = self.js("return [...document.querySelectorAll('#List1 .item')].map(i => i.textContent)")
        self.assertEqual(series, TRIANGLE_7)
        self.assertEqual(element(self.driver, "Text2").get_attribute("value"), "7")

    def test_odd_input(self):
        # What the start box may hold, as the desktop reads it: the series or nothing.
        cases = {"7": "7", " 7": "7", "1.5": "2", "2.5": "2", "+3": "3", "abc": None, "0": None,
                 "-1": None, "-": None, ".": None, "999": "999"}
        self.click("Option1_1")
        for text, first in cases.items():
            with self.subTest(text=text):
                self.click("Command1_1")
                self.type_start(text)
                self.click("Command1_0")
                series = self.js("return [...document.querySelectorAll('#List1 .item')].map(i => i.textContent)")
                self.assertEqual(series[:1], [first] if first else [])
        # The longest captions (999 + 1006 = 2005) are shrunk to fit their labels, whole.
        for vertex in range(4):
            self.click(f"Label2_{vertex}")
        self.assertEqual(self.captions(1)[0], "999 + 1006 = 2005")
        clipped = self.js("""return new Promise((done) => requestAnimationFrame(() => done(
            [...document.querySelectorAll('.rhombus')].filter((e) => e.scrollHeight > e.clientHeight
                || e.scrollWidth > e.clientWidth).map((e) => e.id))))""")
        self.assertEqual(clipped, [])
        # A storm of taps and keys anywhere: nothing throws (tearDown reads the errors).
        self.click("modePractice")
        self.js("""const ids = ['Option1_0','Option1_1','Command1_0','Command1_1','modeDemonstration',
            'modePractice','hint','solution','Label3_0','Label3_3','Label2_1','Label2_2','zoomIn','zoomOut'];
            let seed = 7;
            for (let i = 0; i < 3000; i++) {
                seed = (seed * 1103515245 + 12345) % 2147483648;
                const items = document.querySelectorAll('#List1 .item');
                const target = seed % 5 === 0 && items.length ? items[seed % items.length]
                                                              : document.getElementById(ids[seed % ids.length]);
                target.click();
            }""")

    def test_drawn_figures_by_keys(self):
        # From the demonstration, by keys alone: the figure menu switches to practice; then
        # the start, compute, and each number: picked in the list, Tab to its place, Space.
        for key, (level, rows, equal, name, segments) in DRAWN.items():
            with self.subTest(figure=key):
                load(self.driver, PAGE)
                element(self.driver, "figureMenu").send_keys(Keys.ENTER)
                self.keys(*[Keys.ARROW_DOWN] * level, Keys.ENTER, "999", Keys.ENTER)
                self.assertEqual(element(self.driver, "modePractice").get_attribute("aria-pressed"), "true")
                order = self.js("return [...document.querySelectorAll('.drawn:not([hidden]) .place')].map(e => e.id)")
                self.chord(Keys.SHIFT, *[Keys.TAB] * (len(order) + 1))
                self.assertEqual(self.js("return document.activeElement.id"), "List1")
                for place, row in enumerate(rows):
                    at = order.index(f"{key}-{place}") + 1
                    self.keys(Keys.HOME, *[Keys.ARROW_DOWN] * row, *[Keys.TAB] * at, Keys.SPACE)
                    self.chord(Keys.SHIFT, *[Keys.TAB] * at)
                self.assertIn("Браво!", element(self.driver, "status").text)
                sums = self.js("""return [...document.querySelectorAll('.drawn:not([hidden]) .sum')].map(
                    (e) => [e.textContent, e.classList.contains('equal'), e.getAttribute('aria-label')])""")
                self.assertEqual([s[:2] for s in sums], [[equal, True]] * len(sums))
                self.assertEqual([s[2] for s in sums], self.js("return velmoraView.sumsSpoken"))
                self.assertEqual(element(self.driver, f"{key}-0").accessible_name, f"{name}: {999 + rows[0]}")
                self.assertEqual(len(self.js("return velmoraOutline")), segments)
                self.assertEqual(self.js(CROWDED), [])

    def test_figure_from_the_menu_then_the_start_box(self):
        # Chosen by a click, the figure leaves the focus in «Начало» for the next number,
        # unless the pupil has gone to another control before the next frame.
        for went_elsewhere, focused in ((False, "Text2"), (True, "hint")):
            with self.subTest(went_elsewhere=went_elsewhere):
                load(self.driver, PAGE, "?practice")
                self.click("figureMenu")
                self.assertEqual(self.driver.execute_async_script("""const [elsewhere, done] = arguments;
                    document.getElementById('level4').click();
                    if (elsewhere)
                        document.getElementById('hint').focus();
                    requestAnimationFrame(() => requestAnimationFrame(() => done(document.activeElement.id)));
                    """, went_elsewhere), focused)

    def test_progress_kept_when_the_page_is_left_at_once(self):
        # A zoom step chosen and the page reloaded in the same moment, leaving the browser
        # no idle time to write it: written as the page is left.
        chosen = self.js("""document.getElementById('zoomOut').click(); window.left = true;
            setTimeout(() => location.reload()); return document.getElementById('zoomValue').textContent""")
        WebDriverWait(self.driver, 10).until(lambda d: d.execute_script(
            "return !window.left && document.documentElement.dataset.ready === 'true'"))
        self.assertEqual(element(self.driver, "zoomValue").text, chosen)

    def test_progress_kept_across_a_reload(self):
        # One of the magic V's three sums found and a zoom step, kept in the browser; then
        # forgotten by «Започни отначало» only when the pupil confirms it.
        set_viewport(self.driver, 800, 600)
        self.start_practice(None, "1")
        element(self.driver, "figureMenu").click()
        self.click("level2")
        self.click("Command1_0")
        for place, row in enumerate(DRAWN["v"][1]):
            element(self.driver, f"List1_item{row}").click()
            self.click(f"v-{place}")
        self.chord(Keys.CONTROL, "-")

        def shown():  # the level's title in the menu, as the pupil opens it, and the zoom
            self.click("figureMenu")
            level = element(self.driver, "level2")
            seen = [level.text, "suggested" in level.get_attribute("class"), element(self.driver, "zoomValue").text]
            self.keys(Keys.ESCAPE)
            return seen
        before = shown()
        self.assertEqual(before, ["1. Магическо V – 1 от 3 суми", True, "100 %"])
        load(self.driver, PAGE, keep=True)
        self.type_start("1")
        self.keys(Keys.ENTER)
        self.assertEqual([shown(), self.js("return velmoraView.practice")], [before, True])
        self.assertIn("Намерени суми: 10 (1 от 3).", element(self.driver, "status").text)
        for confirmed, title in ((False, before[0]), (True, "1. Магическо V")):
            element(self.driver, "figureMenu").click()
            self.click("forget")
            alert = self.driver.switch_to.alert
            alert.accept() if confirmed else alert.dismiss()
            load(self.driver, PAGE, keep=True)
            self.assertEqual(shown(), [title, True, "100 %"])

    def test_works_without(self):
        # Storage refused (file:// in some browsers, private windows), or a browser that
        # cannot unpack the module or decode base64 itself: the page plays all the same.
        for missing, script in (("storage", """Object.defineProperty(window, 'localStorage', {
                                    get() { throw new DOMException('refused', 'SecurityError'); } });"""),
                                ("unpacking", "delete window.DecompressionStream; delete Uint8Array.fromBase64;")):
            with self.subTest(missing=missing):
                hold = self.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": script})
                try:
                    self.start_practice(0, "7")
                    element(self.driver, "List1_item1").click()
                    self.click("Label3_1")
                    self.assertEqual(self.captions(0)[1], "8")
                    self.assertEqual(problems(self.driver), [])
                finally:
                    self.driver.execute_cdp_cmd("Page.removeScriptToEvaluateOnNewDocument", hold)
        load(self.driver, PAGE)

    def start_practice(self, figure=0, start="7"):
        load(self.driver, PAGE, "?practice")
        if figure is not None:
            self.click(f"Option1_{figure}")
        self.type_start(start)
        self.click("Command1_0")

    def test_keys_open_what_they_name(self):
        # Each of the desktop's keys on the page, in either mode: a box with its title, or
        # the status line it fills.
        for query, chord, title, status in (("", "F1", "Как се играе", None), ("", "e", "Защо става?", None),
                                            ("?practice", "F1", "Как се играе", None),
                                            ("?practice", "e", "Защо става?", None),
                                            ("?practice", "h", None, "Подсказка:")):
            with self.subTest(query=query, key=chord):
                self.start_practice() if query else load(self.driver, PAGE)
                if chord == "F1":
                    self.keys(Keys.F1)
                else:
                    self.chord(Keys.CONTROL, chord)
                self.assertEqual(self.js("return document.getElementById('message').open"), title is not None)
                if title:
                    self.assertEqual(element(self.driver, "messageTitle").text, title)
                    self.click("messageOk")
                else:
                    self.assertTrue(element(self.driver, "status").text.startswith(status))

    def test_list_keys_pick(self):
        self.start_practice()
        element(self.driver, "List1").click()
        for keys, row in (((Keys.HOME,), 0), ((Keys.END,), 5), ((Keys.HOME, Keys.PAGE_DOWN), 3),
                          ((Keys.END, Keys.PAGE_UP), 2), ((Keys.HOME, Keys.ARROW_DOWN, Keys.ARROW_DOWN), 2),
                          ((Keys.END, Keys.ARROW_UP), 4), ((Keys.END, Keys.ARROW_DOWN), 5)):
            with self.subTest(keys=keys):
                element(self.driver, "List1").send_keys(*keys)
                self.assertEqual(self.js("return velmoraView.pickedNumber"), row)
                self.assertEqual(element(self.driver, f"List1_item{row}").get_attribute("aria-selected"), "true")

    def test_controls_follow_the_mode(self):
        for query, practising in (("", False), ("?practice", True)):
            with self.subTest(practice=practising):
                load(self.driver, PAGE, query)
                state = self.js("""return ['hint', 'solution', 'modeDemonstration', 'modePractice'].map((id) => {
                    const e = document.getElementById(id); return [e.disabled, e.getAttribute('aria-pressed')]; })""")
                self.assertEqual(state, [[not practising, None], [not practising, None],
                                         [False, str(not practising).lower()], [False, str(practising).lower()]])

    def test_start_out_of_range_told(self):
        # A start the numbers cannot hold, pasted past the box's three digits: a box says so
        # in the demonstration; practice says it in the status line, as for any start
        # outside 1 to 999; one the numbers can hold says nothing.
        for query, text, told in (("", "40000", True), ("?practice", "40000", False), ("", "-40000", True),
                                  ("", "32767", False), ("?practice", "0", False)):
            with self.subTest(query=query, text=text):
                load(self.driver, PAGE, query)
                self.click("Option1_0")
                self.js("""const box = document.getElementById('Text2'); box.value = arguments[0];
                    box.dispatchEvent(new Event('input'));""", text)
                self.click("Command1_0")
                shown = self.js("return document.getElementById('message').open")
                self.assertEqual(shown, told)
                if query:
                    self.assertIn(f"«{text}» не е число от 1 до 999", element(self.driver, "status").text)
                if told:
                    self.assertTrue(element(self.driver, "messageText").text.startswith(
                        "Началното число е твърде голямо или твърде малко."))

    def test_zoom_buttons_and_value(self):
        set_viewport(self.driver, 800, 600)
        load(self.driver, PAGE)
        state = lambda: self.js("""return [document.getElementById('zoomValue').textContent,
            document.getElementById('zoomIn').disabled, document.getElementById('zoomOut').disabled]""")
        filled = state()
        self.assertEqual(filled[1:], [True, False])  # filling the room: nothing larger
        for _ in range(8):  # past the smallest step: it stays there
            self.chord(Keys.CONTROL, "-")
        self.assertEqual(state(), ["100 %", False, True])
        self.chord(Keys.CONTROL, "0")
        self.assertEqual(state(), filled)
        self.chord(Keys.CONTROL, "-")
        self.click("zoomIn")  # the next step would not fit: the room's size again
        self.assertEqual(state(), filled)

    def test_practice_marks(self):
        # What a pupil sees on each place, sum and list item as the figure fills.
        self.start_practice()
        self.click("Label3_1")
        picked = element(self.driver, "Label3_1")
        self.assertIn("picked", picked.get_attribute("class"))
        self.assertTrue(picked.get_attribute("aria-label").endswith("избрано за число"), picked.get_attribute("aria-label"))
        self.click("Label3_1")
        self.assertNotIn("picked", picked.get_attribute("class"))
        classes = lambda: [[c for c in element(self.driver, f"LineSum3_{l}").get_attribute("class").split()
                            if c in ("shown", "equal", "off")] for l in range(3)]
        items = lambda: [element(self.driver, f"List1_item{r}").get_attribute("aria-label") for r in range(6)]
        for moves, sums, named in (
                (((0, 0), (4, 4), (2, 2)), [["shown"], [], []], ["7, поставено", "8", "9, поставено", "10",
                                                                 "11, поставено", "12"]),
                (((3, 3), (1, 1), (5, 5)), [["shown", "equal"]] * 3, [f"{n}, поставено" for n in range(7, 13)]),
                (((1, 1),), [["shown"], [], []], ["7, поставено", "8", "9, поставено", "10, поставено",
                                                  "11, поставено", "12, поставено"])):
            for row, position in moves:
                if row == position and element(self.driver, f"Label3_{position}").text:
                    self.click(f"Label3_{position}")  # a filled place gives its number back
                    continue
                element(self.driver, f"List1_item{row}").click()
                self.click(f"Label3_{position}")
            self.assertEqual([classes(), items()], [sums, named])


if __name__ == "__main__":
    unittest.main(verbosity=2)
