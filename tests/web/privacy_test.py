#!/usr/bin/python3
"""Nothing leaves the page and nothing stays behind: through a run of a few tasks, opened from
disk and from a web server, the page asks for nothing but itself and data: addresses, sets no
cookie, keeps nothing in any storage, and writes no error or warning to the console."""

import json

from page import PAGE, WRONG, Keys, PageTest, needs, run, serve


@needs("devtools")
class NothingLeavesThePage(PageTest):
    performance_log = True

    def play_a_few_tasks(self):
        page = self.page
        page.keys(Keys.RETURN)
        page.keys(str(page.roots()[0]), Keys.RETURN, "0", Keys.RETURN)
        self.assertEqual(page.text("Label12"), WRONG)
        for _ in range(3):
            self.solve_by_keys()
            page.past_next_guard()
            page.keys(Keys.RETURN)
        self.assertEqual(page.text("Text1"), "3")

    def requests(self):
        messages = (json.loads(entry["message"])["message"]
                    for entry in self.driver.get_log("performance"))
        return [message["params"]["request"]["url"] for message in messages
                if message["method"] == "Network.requestWillBeSent"]

    def test_run_asks_for_nothing_but_the_page_and_keeps_nothing(self):
        with serve(PAGE.parent) as (base, _):
            for url in (PAGE.as_uri(), base + PAGE.name):
                with self.subTest(url.split(":")[0]):
                    self.driver.get("about:blank")
                    self.requests()  # what came before
                    self.driver.get_log("browser")
                    self.page.open(url)
                    self.play_a_few_tasks()
                    requested = self.requests()
                    self.assertIn(url, requested)
                    self.assertEqual([each for each in requested
                                      if each != url and not each.startswith("data:")], [])
                    self.assertEqual(self.page.console_problems(), [])
                    self.assertNothingKept(url)

    def assertNothingKept(self, url):
        page = self.page
        self.assertEqual(page.cdp("Storage.getCookies")["cookies"], [])
        self.assertEqual(page.js("return [localStorage.length, sessionStorage.length]"), [0, 0])
        self.assertEqual(page.js_async("indexedDB.databases().then(done, (e) => done(String(e)))"),
                         [])
        if url.startswith("http"):
            self.assertEqual(page.js_async("caches.keys().then(done, (e) => done(String(e)))"),
                             [])
            origin = url.split("/", 3)
            usage = page.cdp("Storage.getUsageAndQuota", {"origin": "/".join(origin[:3])})
            self.assertEqual(usage["usage"], 0, usage)


if __name__ == "__main__":
    run()
