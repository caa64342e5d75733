#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The web edition's speed in Debian's headless Chromium, each time side by side with a
blank page measured the same way in the same run: when the page first paints, when it is
usable (loaded, the core ready, the controls bound), warm and in a fresh browser; where
the time to usable goes; and the time each click takes from the event to the shown
result, back to back and with the browser idle in between. Ends with the lines
web_usable_ratio=, web_cold_ratio=, web_paint_ratio=, web_usable_ms=,
web_click_p99_us= (all clicks), web_click_kind_p99_us= (the slowest kind's),
web_click_idle_p99_us= and web_drag_frame_p99_us= (a drag's work per finger move on the
board) for scripts."""
import os
import statistics
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "web"))
from page_driver import load, open_browser, set_viewport  # noqa: E402

PAGE = sys.argv[1] if len(sys.argv) > 1 else "build/web/velmora.html"
LOADS = 20
FRESH = 5
# The floor: a page with a text and a script that binds a handler, ready in the way the
# page says it is (page_driver.load waits for that).
BLANK = """<!DOCTYPE html><title>x</title><p>x</p><script>
document.addEventListener("click", () => {});
document.documentElement.dataset.ready = "true";
performance.mark("velmora-usable");
</script>"""
# Milliseconds from navigation: first contentful paint, and usable: the later of the load
# event's end and the page's own mark, whichever page it is. Then the page's marks of its
# start-up steps, as it set them.
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


def measure(driver, path):
    load(driver, path)
    return driver.execute_async_script(TIMES)


def fresh(path):
    """The first load in a browser just started, as a pupil opening the file."""
    driver = open_browser()
    try:
        set_viewport(driver, 1024, 768)
        return measure(driver, path)
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
    blank = os.path.join(tempfile.mkdtemp(), "blank.html")
    with open(blank, "w") as page:
        page.write(BLANK)
    cold = {"page": [], "blank": []}
    for _ in range(FRESH):
        cold["page"].append(fresh(PAGE))
        cold["blank"].append(fresh(blank))
    driver = open_browser()
    try:
        set_viewport(driver, 1024, 768)
        warm = {"page": [], "blank": []}
        measure(driver, PAGE)
        measure(driver, blank)
        for _ in range(LOADS):  # in turns, so both see the same machine
            warm["page"].append(measure(driver, PAGE))
            warm["blank"].append(measure(driver, blank))
        back_to_back = clicks(driver, 0, 44)
        idle = clicks(driver, 40, 12)
        moves = drag(driver)
    finally:
        driver.quit()

    def median(runs, key):
        return statistics.median(run[key] for run in runs)

    print(f"web page, {LOADS} warm loads from file:// in turns with a blank page, medians:")
    print(f"  first paint {median(warm['page'], 'paint'):.1f} ms, blank {median(warm['blank'], 'paint'):.1f} ms")
    print(f"  usable {median(warm['page'], 'usable'):.1f} ms, blank {median(warm['blank'], 'usable'):.1f} ms")
    where(warm["page"])
    print(f"web page, first load in {FRESH} fresh browsers each: usable "
          f"{median(cold['page'], 'usable'):.1f} ms, blank {median(cold['blank'], 'usable'):.1f} ms; first paint "
          f"{median(cold['page'], 'paint'):.1f} ms, blank {median(cold['blank'], 'paint'):.1f} ms")
    where(cold["page"])
    click_p99, kind_p99 = report_clicks(
        "web clicks back to back (bound p99 1000 us; the browser's clock counts in 100 us steps)", back_to_back)
    idle_p99, _ = report_clicks("web clicks with the browser idle 40 ms and a frame drawn between", idle)
    print(f"web drag on the board, {len(moves)} finger moves: median "
          f"{statistics.median(moves) * 1000:.0f} us, p99 {p99(moves):.0f} us (bound 8000 us)")
    usable_ratio = median(warm["page"], "usable") / median(warm["blank"], "usable")
    cold_ratio = median(cold["page"], "usable") / median(cold["blank"], "usable")
    paint_ratio = median(warm["page"], "paint") / median(warm["blank"], "paint")
    print(f"web_usable_ratio={usable_ratio:.2f}\nweb_cold_ratio={cold_ratio:.2f}\n"
          f"web_paint_ratio={paint_ratio:.2f}\n"
          f"web_usable_ms={median(warm['page'], 'usable'):.1f}\nweb_click_p99_us={click_p99:.0f}\n"
          f"web_click_kind_p99_us={kind_p99:.0f}\nweb_click_idle_p99_us={idle_p99:.0f}\n"
          f"web_drag_frame_p99_us={p99(moves):.0f}")


if __name__ == "__main__":
    main()
