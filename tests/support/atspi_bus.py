# SPDX-License-Identifier: GPL-3.0-or-later
"""What the accessibility tests share: reading the AT-SPI bus as a screen reader does and
giving real input with xdotool on the test's own X server (run_on_accessibility_bus.sh)."""
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402,F401  (Atspi for the tests)

results = {"passed": 0, "failed": 0}


def check(what, ok, detail=""):
    results["passed" if ok else "failed"] += 1
    print(("PASS  " if ok else "FAIL  ") + what + ("" if ok else f": {detail}"), flush=True)


def finish():
    """Prints the count and exits non-zero on any failure, or when nothing was checked."""
    print(f"{results['passed']} passed, {results['failed']} failed")
    sys.exit(1 if results["failed"] or not results["passed"] else 0)


def pump(seconds):
    deadline = time.monotonic() + seconds
    context = GLib.MainContext.default()
    while time.monotonic() < deadline:
        while context.iteration(False):
            pass
        time.sleep(0.01)


def wait_for(predicate, seconds=10.0):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        pump(0.05)
        value = predicate()
        if value:
            return value
    return None


def descendants(node):
    # A node the program replaced while we walk (a list refilled, say) is stale: skip it,
    # the caller looks again.
    try:
        children = [node.get_child_at_index(i) for i in range(node.get_child_count())]
    except GLib.GError:
        return
    for child in children:
        if child is not None:
            yield child
            yield from descendants(child)


# Input comes from xdotool, as from a real mouse and keyboard on this X server.
def click(node):
    box = node.get_extents(Atspi.CoordType.SCREEN)
    subprocess.run(["xdotool", "mousemove", str(box.x + box.width // 2),
                    str(box.y + box.height // 2), "click", "1"], check=True)
    pump(0.3)


def key(*names):
    subprocess.run(["xdotool", "key", *names], check=True)
    pump(0.3)
