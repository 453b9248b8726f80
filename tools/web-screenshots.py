#!/usr/bin/python3
"""Takes the README's pictures of the page: docs/window-web.png, the window at its own size in
Chromium in the middle of a task, and docs/web-phone.png, a phone in portrait with the keypad.

  tools/web-screenshots.py [build-web/roots-drill.html]

Needs Debian's chromium, chromium-driver and python3-selenium (make web-setup installs them).
"""
import sys
import tempfile
import time
from pathlib import Path

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.keys import Keys

ROOT = Path(__file__).resolve().parents[1]
PAGE = Path(sys.argv[1] if len(sys.argv) > 1 else ROOT / "build-web" / "roots-drill.html")


def browser(phone=False):
    options = webdriver.ChromeOptions()
    for flag in ("--headless=new", "--no-sandbox", "--disable-gpu", "--no-first-run",
                 "--disable-background-networking", "--disable-component-update",
                 "--disable-sync", "--hide-scrollbars",
                 "--user-data-dir=" + tempfile.mkdtemp(prefix="roots-drill-shots-")):
        options.add_argument(flag)
    if phone:
        options.add_experimental_option("mobileEmulation", {"deviceMetrics": {
            "width": 390, "height": 844, "pixelRatio": 2.0, "touch": True}})
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    driver.get(PAGE.as_uri())
    for _ in range(100):
        if driver.execute_script(
                "return performance.getEntriesByName('roots-drill-ready').length"):
            break
        time.sleep(0.05)
    return driver


def start_and_type(driver, first_root):
    active = driver.switch_to.active_element
    active.send_keys(Keys.RETURN)  # Старт
    driver.switch_to.active_element.send_keys(first_root)


def main():
    desktop = browser()
    # The window's client area fills the viewport at scale 1.
    desktop.set_window_size(792, 568)
    inner = desktop.execute_script("return [innerWidth, innerHeight]")
    desktop.set_window_size(792 + 792 - inner[0], 568 + 568 - inner[1])
    start_and_type(desktop, "2")
    time.sleep(0.3)
    desktop.save_screenshot(str(ROOT / "docs" / "window-web.png"))
    desktop.quit()

    phone = browser(phone=True)
    start_and_type(phone, "-3")
    time.sleep(0.3)
    phone.save_screenshot(str(ROOT / "docs" / "web-phone.png"))
    phone.quit()


if __name__ == "__main__":
    main()
