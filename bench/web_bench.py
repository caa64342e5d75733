#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The web edition's speed in Debian's headless Chromium, each time side by side with its
floor, the static form (the same page with every script and the core taken out, made from
it in the same run), and a blank page for reference, all measured the same way in the
same run: when the page first paints, when it is usable (loaded, the core ready, the
controls bound), warm and in a fresh browser; where the time to usable goes; and the time
each click takes from the event to the shown result, back to back and with the browser
idle in between. Ends with the lines web_form_paint_ratio=, web_form_usable_ratio=,
web_form_cold_paint_ratio=, web_form_cold_usable_ratio= (over the static form),
web_usable_ratio=, web_cold_ratio=, web_paint_ratio= (over the blank page),
web_usable_ms=, web_click_p99_us= (all clicks), web_click_kind_p99_us= (the slowest
kind's), web_click_idle_p99_us= and web_drag_frame_p99_us= (a drag's work per finger move
on the board) for scripts."""
import os
import re
import statistics
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "web"))
from page_driver import load, open_browser, set_viewport  # noqa: E402

PAGE = sys.argv[1] if len(sys.argv) > 1 else "build/web/velmora.html"
LOADS = 20
FRESH = 5
# For reference: a page with a text and a script that binds a handler, ready in the way the
# page says it is (page_driver.load waits for that).
BLANK = """<!DOCTYPE html><title>x</title><p>x</p><script>
document.addEventListener("click", () => {});
document.documentElement.dataset.ready = "true";
performance.mark("velmora-usable");
</script>"""
# Milliseconds from navigation: first contentful paint, and usable: the later of the load
# event's end and the page's own mark, whichever page it is (the static form has no mark:
# its load). Then the page's marks of its start-up steps, as it set them.
TIMES = """
const done = arguments[0];
const navigation = performance.getEntriesByType('navigation')[0];
const paint = () => performance.getEntriesByName('first-contentful-paint')[0];
const wait = () => {
    if (!paint() || navigation.loadEventEnd === 0)
        return requestAnimationFrame(wait);
    const usable = performance.getEntriesByName('velmora-usable')[0];
    const marks = Object.fromEntries(performance.getEntriesByType('mark')
        .filter((m) => m.name.startsWith('velmora-')).map((m) => [m.name.slice(8), m.startTime]));
    done({ paint: paint().startTime, usable: Math.max(navigation.loadEventEnd, usable ? usable.startTime : 0),
           parsed: navigation.domInteractive, load: navigation.loadEventEnd, marks });
};
wait();
"""
# The steps to usable, in the order the page goes through them, by the marks it sets.
STEPS = (("start", "the HTML read up to the page's script, the core's loader run"),
         ("script", "the page's script run: controls bound, form laid out"),
         ("parsed", "HTML parsed (domInteractive)"),
         ("paint", "first paint (the form)"),
         ("decoded", "the core's bytes decoded, its unpacking and compiling started"),
         ("compiled", "compiled"),
         ("instantiated", "instantiated"),
         ("usable", "usable"),
         ("first-call", "first call into the core (on the first input or when idle)"))
# A demonstration and a practice game (on the board), over and over: figure, compute, every
# place; then the star from the figure menu (practice), its twelve places.
# Click after click, the page laid out between them (outside the timing) as a drawn
# frame would leave it; with `pause`, the browser idle that long and a frame drawn
# between clicks, as when a pupil thinks.
GAME = """
const [pause, rounds, done] = arguments;
const frame = () => new Promise((next) => requestAnimationFrame(() => setTimeout(next, pause)));
const timed = [];
const tap = async (target, kind) => {
    const before = window.velmoraTimings.length;
    target.click();
    if (window.velmoraTimings.length > before)
        timed.push([kind, window.velmoraTimings[window.velmoraTimings.length - 1]]);
    document.body.offsetHeight;
    if (pause)
        await frame();
};
const byId = (id) => document.getElementById(id);
(async () => {
    for (let round = 0; round < rounds; round++) {
        if (round === 4) // the first rounds warm the browser's compilers up
            timed.length = 0;
        await tap(byId(round % 2 ? 'modePractice' : 'modeDemonstration'), 'mode');
        for (const figure of [0, 1, 4]) {
            if (figure === 4) {
                byId('figureMenu').click();
                await tap(byId('level4'), 'figure from the menu');
            } else {
                await tap(document.querySelector(`#Option1_${figure} input`), 'figure option');
            }
            await tap(byId('Command1_0'), 'compute');
            // Practice plays on its board: its tiles and places, in the core's order.
            const board = window.velmoraView.practice;
            const places = board ? [...document.querySelectorAll('#boardPlaces > .place')]
                : [...document.querySelectorAll(`.position.${figure ? 'rhombus' : 'triangle'}`)]
                    .sort((a, b) => a.id.localeCompare(b.id, 'en', { numeric: true }));
            const items = [...document.querySelectorAll(board ? '#boardTiles > .tile' : '#List1 .item')];
            for (const [row, item] of items.entries()) {
                await tap(item, 'list item');
                await tap(places[row % places.length], 'place');
            }
            if (round % 2)
                await tap(byId('hint'), 'hint');
        }
    }
    done(timed);
})();
"""


def static_form(page, folder):
    """The floor: the page with every script element (its scripts, the core's module and
    loader) taken out, so exactly the HTML and CSS the browser lays out and paints anyway.
    Made from the page measured, so it follows every change to the page."""
    with open(page, encoding="utf-8") as source:
        text = source.read()
    # A script element ends at its first "</script" (the page escapes any inside its code).
    form = re.sub(r"<script\b[^>]*>.*?</script\s*>", "", text, flags=re.DOTALL | re.IGNORECASE)
    if re.search(r"<script", form, flags=re.IGNORECASE):
        raise SystemExit("web_bench.py: a script left in the static form")
    path = os.path.join(folder, "form.html")
    with open(path, "w", encoding="utf-8") as output:
        output.write(form)
    return path


def measure(driver, path, ready=True):
    """`ready`: the page says when it is ready (the static form cannot, having no script:
    it is opened as the page is, from a blank tab)."""
    if ready:
        load(driver, path)
    else:
        driver.get("about:blank")
        driver.get("file://" + os.path.abspath(path))
    return driver.execute_async_script(TIMES)


def fresh(path, ready=True):
    """The first load in a browser just started, as a pupil opening the file."""
    driver = open_browser()
    try:
        set_viewport(driver, 1024, 768)
        return measure(driver, path, ready)
    finally:
        driver.quit()


def clicks(driver, pause, rounds):
    """Each click's kind and milliseconds."""
    load(driver, PAGE)
    driver.execute_script("document.getElementById('Text2').value = '7';"
                          "document.getElementById('Text2').dispatchEvent(new Event('input'))")
    driver.set_script_timeout(300)
    return driver.execute_async_script(GAME, pause, rounds)


# A finger dragging a tile of the star from 999 over every place in turn, on a 360 × 640
# phone: the work each move takes, from the event to its handling done (the copy under the
# finger moved, the place under it marked). A frame at 60 a second leaves 16 ms.
DRAG = """
const board = document.getElementById('board');
const tile = document.querySelector('#boardTiles > .tile');
const r = tile.getBoundingClientRect();
const at = (type, x, y) => board.dispatchEvent(new PointerEvent(type,
    { bubbles: true, pointerId: 1, isPrimary: true, pointerType: 'touch', clientX: x, clientY: y }));
tile.dispatchEvent(new PointerEvent('pointerdown', { bubbles: true, pointerId: 1, isPrimary: true,
    pointerType: 'touch', clientX: r.left + 5, clientY: r.top + 5 }));
at('pointermove', r.left + 30, r.top - 30);
const places = [...document.querySelectorAll('#boardPlaces > .place')].map((e) => e.getBoundingClientRect());
const times = [];
for (let i = 0; i < 1200; i++) {
    const p = places[i % places.length];
    const start = performance.now();
    at('pointermove', p.left + (i % 3) * p.width * 0.45 + 1, p.top + p.height / 2);
    times.push(performance.now() - start);
}
board.dispatchEvent(new PointerEvent('pointercancel', { bubbles: true, pointerId: 1, isPrimary: true }));
return times;
"""


def drag(driver):
    """Each drag move's milliseconds on a phone, the star from 999 on the board."""
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                           {"width": 360, "height": 640, "deviceScaleFactor": 1, "mobile": True})
    load(driver, PAGE, "?practice")
    driver.execute_script("document.querySelector('#boardLevels > :nth-child(5)').click();"
                          "const box = document.getElementById('startBox'); box.value = '999';"
                          "box.dispatchEvent(new Event('input'));"
                          "box.dispatchEvent(new KeyboardEvent('keydown', { key: 'Enter', bubbles: true }))")
    return driver.execute_script(DRAG)


def p99(times):
    times = sorted(times)
    return times[int(len(times) * 0.99)] * 1000


def report_clicks(title, timed):
    """All clicks, then each kind; returns the p99 of all and of the slowest kind."""
    times = [ms for _, ms in timed]
    print(f"{title}: {len(times)}, median {statistics.median(times) * 1000:.0f} us, p99 {p99(times):.0f} us")
    kinds = {}
    for kind, ms in timed:
        kinds.setdefault(kind, []).append(ms)
    for kind, each in kinds.items():
        print(f"    {kind:22} {len(each):5}  median {statistics.median(each) * 1000:5.0f} us  p99 {p99(each):5.0f} us")
    return p99(times), max(p99(each) for each in kinds.values())


def where(runs):
    """The page's steps to usable, in the order they came: the median time from navigation
    each was done at and what it took after the one before."""
    print("  where the time to usable goes (ms from navigation, and the step's own):")
    done = []
    for key, words in STEPS:
        times = [run[key] if key in run else run["marks"].get(key) for run in runs]
        if None not in times:
            done.append((statistics.median(times), words))
    previous = 0
    for at, words in sorted(done):
        print(f"    {at:6.1f} {at - previous:+6.1f}  {words}")
        previous = at


def main():
    folder = tempfile.mkdtemp()
    form = static_form(PAGE, folder)
    blank = os.path.join(folder, "blank.html")
    with open(blank, "w") as page:
        page.write(BLANK)
    # In turns, so all three see the same machine.
    pages = (("page", PAGE, True), ("form", form, False), ("blank", blank, True))
    cold = {name: [] for name, _, _ in pages}
    for _ in range(FRESH):
        for name, path, ready in pages:
            cold[name].append(fresh(path, ready))
    driver = open_browser()
    try:
        set_viewport(driver, 1024, 768)
        warm = {name: [] for name, _, _ in pages}
        for _, path, ready in pages:
            measure(driver, path, ready)
        for _ in range(LOADS):
            for name, path, ready in pages:
                warm[name].append(measure(driver, path, ready))
        back_to_back = clicks(driver, 0, 44)
        idle = clicks(driver, 40, 12)
        moves = drag(driver)
    finally:
        driver.quit()

    def median(runs, key):
        return statistics.median(run[key] for run in runs)

    def compare(runs):
        for key, words in (("paint", "first paint"), ("usable", "usable (the static form: loaded)")):
            print(f"  {words}: page {median(runs['page'], key):.1f} ms, static form "
                  f"{median(runs['form'], key):.1f} ms, blank {median(runs['blank'], key):.1f} ms")
        print(f"  the static form parsed at {median(runs['form'], 'parsed'):.1f} ms")

    print(f"web page, {LOADS} warm loads from file:// in turns with its static form and a blank page, medians:")
    compare(warm)
    where(warm["page"])
    print(f"web page, its static form and a blank page, first load in {FRESH} fresh browsers each, medians:")
    compare(cold)
    where(cold["page"])
    click_p99, kind_p99 = report_clicks(
        "web clicks back to back (bound p99 1000 us; the browser's clock counts in 100 us steps)", back_to_back)
    idle_p99, _ = report_clicks("web clicks with the browser idle 40 ms and a frame drawn between", idle)
    print(f"web drag on the board, {len(moves)} finger moves: median "
          f"{statistics.median(moves) * 1000:.0f} us, p99 {p99(moves):.0f} us (bound 8000 us)")

    def ratio(runs, key, floor):
        return median(runs["page"], key) / median(runs[floor], key)

    print(f"web_form_paint_ratio={ratio(warm, 'paint', 'form'):.2f}\n"
          f"web_form_usable_ratio={ratio(warm, 'usable', 'form'):.2f}\n"
          f"web_form_cold_paint_ratio={ratio(cold, 'paint', 'form'):.2f}\n"
          f"web_form_cold_usable_ratio={ratio(cold, 'usable', 'form'):.2f}")
    usable_ratio = ratio(warm, "usable", "blank")
    cold_ratio = ratio(cold, "usable", "blank")
    paint_ratio = ratio(warm, "paint", "blank")
    print(f"web_usable_ratio={usable_ratio:.2f}\nweb_cold_ratio={cold_ratio:.2f}\n"
          f"web_paint_ratio={paint_ratio:.2f}\n"
          f"web_usable_ms={median(warm['page'], 'usable'):.1f}\nweb_click_p99_us={click_p99:.0f}\n"
          f"web_click_kind_p99_us={kind_p99:.0f}\nweb_click_idle_p99_us={idle_p99:.0f}\n"
          f"web_drag_frame_p99_us={p99(moves):.0f}\n"
          f"web_page_kib={os.path.getsize(PAGE) / 1024:.1f}")  # bound 300, the page test's


if __name__ == "__main__":
    main()
