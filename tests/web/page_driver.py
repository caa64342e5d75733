# SPDX-License-Identifier: GPL-3.0-or-later
"""Debian's headless Chromium driving the web edition, for its tests and the benchmark."""
import json
import os
import tempfile

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait

# As root, in a sandbox with no network: no sandbox of its own, no calls home. A Bulgarian
# pupil's browser: the page follows the browser's language.
FLAGS = ["--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--disable-dev-shm-usage", "--force-device-scale-factor=1", "--window-size=1024,900",
         "--accept-lang=bg"]


def open_browser(trace=False):
    """`trace`: the timeline's events go to the performance log too (for timings)."""
    options = webdriver.ChromeOptions()
    if trace:
        options.add_experimental_option("perfLoggingPrefs", {"traceCategories": "devtools.timeline"})
    options.binary_location = "/usr/bin/chromium"
    for flag in FLAGS:
        options.add_argument(flag)
    options.add_argument("--user-data-dir=" + tempfile.mkdtemp(prefix="velmora-chromium-"))
    options.set_capability("goog:loggingPrefs", {"browser": "ALL", "performance": "ALL"})
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


def set_viewport(driver, width, height):
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                           {"width": width, "height": height, "deviceScaleFactor": 1,
                            "mobile": False})


def load(driver, page, query="", keep=False):
    """The page as a pupil first meets it: the progress an earlier page kept in the browser
    forgotten, unless `keep`."""
    if not keep and driver.current_url.startswith("file:"):
        # Left first: the page writes the progress it has not yet written as it is left.
        driver.get("about:blank")
        driver.execute_cdp_cmd("Storage.clearDataForOrigin", {"origin": "file://", "storageTypes": "local_storage"})
    driver.get("file://" + os.path.abspath(page) + query)
    WebDriverWait(driver, 10).until(
        lambda d: d.execute_script("return document.documentElement.dataset.ready === 'true'"))


def element(driver, name):
    return driver.find_element(By.ID, name)


def requests(driver):
    """Every URL the page asked for since the last call, from the performance log."""
    urls = []
    for entry in driver.get_log("performance"):
        message = json.loads(entry["message"])["message"]
        if message["method"] == "Network.requestWillBeSent":
            urls.append(message["params"]["request"]["url"])
    return urls


def problems(driver):
    """Console errors and warnings, and the errors the page caught itself."""
    logged = [e["message"] for e in driver.get_log("browser") if e["level"] in ("SEVERE", "WARNING")]
    return logged + driver.execute_script("return window.velmoraErrors")
