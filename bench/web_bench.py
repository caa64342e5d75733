#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The web edition's speed in Debian's headless Chromium: from navigation to the page
being usable (the core loaded, the controls bound), and the time each click takes from
the event to the shown result. Ends with web_usable_ms= and web_click_p99_us= lines."""
import os
import statistics
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "web"))
from page_driver import load, open_browser, set_viewport  # noqa: E402

PAGE = sys.argv[1] if len(sys.argv) > 1 else "build/web/velmora.html"
LOADS = 20
# A demonstration and a practice game, over and over: figure, compute, every place.
# Click after click, the page laid out between them (outside the timing) as a drawn
# frame would leave it.
GAME = """
const done = arguments[0];
const tap = async (target) => { target.click(); document.body.offsetHeight; };
const byId = (id) => document.getElementById(id);
(async () => {
    for (let round = 0; round < 44; round++) {
        if (round === 4) // the first rounds warm the browser's compilers up
            window.velmoraTimings.length = 0;
        await tap(byId(round % 2 ? 'modePractice' : 'modeDemonstration'));
        for (const figure of [0, 1]) {
            await tap(document.querySelector(`#Option1_${figure} input`));
            await tap(byId('Command1_0'));
            const places = figure ? [0, 1, 2, 3] : [0, 1, 2, 3, 4, 5];
            const items = [...document.querySelectorAll('#List1 .item')];
            for (const [row, item] of items.entries()) {
                await tap(item);
                await tap(byId(`Label${figure ? 2 : 3}_${places[row % places.length]}`));
            }
            if (round % 2)
                await tap(byId('hint'));
        }
    }
    done(window.velmoraTimings);
})();
"""


def main():
    driver = open_browser()
    blank = os.path.join(tempfile.mkdtemp(), "blank.html")
    with open(blank, "w") as page:
        page.write("<!DOCTYPE html><title>x</title><p>x</p><script>var x = 1;</script>")
    try:
        set_viewport(driver, 1024, 768)
        usable = []
        for _ in range(LOADS):
            load(driver, PAGE)
            usable.append(driver.execute_script(
                "return performance.getEntriesByName('velmora-usable')[0].startTime"))
        # What the browser itself takes to show a page from disk, for comparison.
        baseline = []
        for _ in range(LOADS):
            driver.get("file://" + blank)
            baseline.append(driver.execute_script(
                "return performance.getEntriesByType('navigation')[0].loadEventEnd"))
        load(driver, PAGE)
        driver.execute_script("document.getElementById('Text2').value = '7';"
                              "document.getElementById('Text2').dispatchEvent(new Event('input'))")
        driver.set_script_timeout(120)
        clicks = sorted(driver.execute_async_script(GAME))
    finally:
        driver.quit()
    p99 = clicks[int(len(clicks) * 0.99)] * 1000
    print(f"web page, {LOADS} loads from file://: navigation to usable median "
          f"{statistics.median(usable):.1f} ms (bound 150 ms); the first, in a fresh browser, "
          f"{usable[0]:.1f} ms; a blank page loads in {statistics.median(baseline):.1f} ms")
    print(f"web clicks: {len(clicks)}, median {statistics.median(clicks) * 1000:.0f} us, "
          f"p99 {p99:.0f} us (bound 1000 us; the browser's clock counts in 100 us steps)")
    print(f"web_usable_ms={statistics.median(usable):.1f}\nweb_click_p99_us={p99:.0f}")


if __name__ == "__main__":
    main()
