#!/usr/bin/python3
"""Where the page comes from: opened from disk and from a web server it starts and takes a task;
the hosted site/ keeps working with no connection once its service worker holds it, and its web
app manifest is Russian, standalone and has its icons."""

import json
import urllib.request

from page import CORRECT, PAGE, SITE, TITLE, Keys, PageTest, needs, png_size, run, serve


class Hosting(PageTest):
    def assertSolvesATask(self):
        self.page.keys(Keys.RETURN)
        self.assertEqual(self.solve_by_keys(), CORRECT)
        self.assertNoConsoleProblems()

    def test_opens_from_disk_and_from_a_web_server(self):
        with serve(PAGE.parent) as (base, _):
            for url in (PAGE.as_uri(), base + PAGE.name):
                with self.subTest(url.split(":")[0]):
                    self.page.open(url)
                    self.assertSolvesATask()

    def test_installed_site_opens_with_no_connection(self):
        page = self.page
        with serve(SITE) as (base, stop):
            page.open(base + "index.html")
            state = page.js_async("navigator.serviceWorker.ready.then("
                                  "(registration) => done(registration.active.state));")
            self.assertIn(state, ("activating", "activated"))
            self.driver.refresh()
            page.wait_ready()
            page.wait_for("return navigator.serviceWorker.controller !== null", timeout=5,
                          message="the service worker does not control the page")
            stop()
            with self.assertRaises(OSError):
                urllib.request.urlopen(base + "index.html", timeout=2)
            for url in (base + "index.html", base):  # the page, and the manifest's start
                with self.subTest(url):
                    page.open(url)
                    self.assertEqual(page.js("return navigator.serviceWorker.controller.scriptURL"),
                                     base + "sw.js")
                    self.assertSolvesATask()

    @needs("devtools")
    def test_manifest_is_russian_standalone_with_both_icons(self):
        manifest = json.loads((SITE / "manifest.webmanifest").read_text(encoding="utf-8"))
        self.assertEqual(manifest["lang"], "ru")
        self.assertEqual(manifest["name"], TITLE)
        self.assertEqual(manifest["display"], "standalone")
        sizes = set()
        for icon in manifest["icons"]:
            self.assertEqual(icon["type"], "image/png")
            width, height = png_size(SITE / icon["src"])
            self.assertEqual(icon["sizes"], f"{width}x{height}")
            sizes.add(width)
        self.assertLessEqual({192, 512}, sizes)
        with serve(SITE) as (base, _):
            self.page.open(base + "index.html")
            self.assertEqual(self.driver.title, manifest["name"])
            found = self.page.cdp("Page.getAppManifest")
            self.assertEqual(found["url"], base + "manifest.webmanifest")
            self.assertEqual(found["errors"], [])


if __name__ == "__main__":
    run()
