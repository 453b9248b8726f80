#!/usr/bin/python3
"""Never a dead window: where the program cannot start, the pupil reads so within 2 s of the
load, in a notice where Start stood; Start is gone, and Return starts nothing. Where the program
starts, the notice never shows, not for a moment, and the page then compiles no more code: the
eval its policy allowed for the start is refused from then on.

The roads to a failed start, each as a browser meets it: no WebAssembly at all (switched off
in the browser itself, and taken away before the page loads), a policy that refuses to compile
it, a program that does not compile or does not link, an exception while it starts, and a
browser of the ES5 days, with no Promise, no document.fonts and no WebAssembly."""

import base64
import tempfile
import unittest
from pathlib import Path

from page import (ENGINE, PAGE, Keys, Page, PageTest, quit_browser, run, start_browser)
from embedded_program import find as find_program, leb  # after page, which keeps bytecode out

NOTICE_WITHIN_MS = 2000

# Records, from before the page's own scripts, the moments the notice and Start change.
WATCH = """
window.noticeSeen = [];
new MutationObserver(function () {
  var notice = document.getElementById("CannotStart");
  if (notice && !notice.hidden) noticeSeen.push(performance.now());
}).observe(document, {subtree: true, childList: true, attributes: true,
                      attributeFilter: ["hidden"]});
"""

SHOWN = """
var notice = document.getElementById("CannotStart"), start = document.getElementById("Command2");
var box = notice.getBoundingClientRect(), form = document.getElementById("Form1")
    .getBoundingClientRect();
return {seen: window.noticeSeen, text: notice.textContent,
        noticeShown: notice.offsetParent !== null, startShown: start.offsetParent !== null,
        inside: box.left >= form.left && box.right <= form.right && box.top >= form.top &&
                box.bottom <= form.bottom && box.width > 0,
        clipped: notice.scrollWidth > notice.clientWidth,
        ready: performance.getEntriesByName("roots-drill-ready").length > 0,
        boxesOpen: !document.getElementById("Text4").disabled};
"""


def with_program(page_text, change):
    """The page with its embedded program changed by change(bytes)."""
    found, program = find_program(page_text)
    changed = base64.b64encode(change(program)).decode("ascii")
    return page_text[:found.start(1)] + changed + page_text[found.end(1):]


def first_import_renamed(program):
    """The program asking for an import the page does not give: a link error."""
    at = 8
    while at < len(program):
        section, at = program[at], at + 1
        size, at = leb(program, at)
        if section == 2:  # imports: a count, then module name, field name, ...
            _, entry = leb(program, at)
            module_length, entry = leb(program, entry)
            field_length, field = leb(program, entry + module_length)
            return program[:field] + b"~" * field_length + program[field + field_length:]
        at += size
    raise AssertionError("the program imports nothing")


def without_unsafe_eval(page_text):
    """The page under a policy that lets no code be compiled: no 'unsafe-eval', and no
    'wasm-unsafe-eval' either."""
    changed = page_text.replace(" 'unsafe-eval'", "").replace(" 'wasm-unsafe-eval'", "")
    if changed == page_text:
        raise AssertionError("the page's policy names no 'unsafe-eval'")
    return changed


# Each road: what is done to the browser before the page's scripts run, and to the page; and
# the engines whose automation cannot take that road, with why.
ROADS = [
    ("no WebAssembly object", "delete window.WebAssembly;", None, {}),
    ("the policy refuses to compile", "", without_unsafe_eval, {}),
    ("a compile error", "", lambda text: with_program(text, lambda wasm: wasm[:len(wasm) // 2]),
     {}),
    ("a link error", "", lambda text: with_program(text, first_import_renamed), {}),
    ("an exception while starting",
     "Object.defineProperty(Intl.NumberFormat.prototype, 'format',"
     " {get: function () { throw new TypeError('no'); }});",
     None, {}),
    ("a browser of the ES5 days", "delete window.WebAssembly; delete window.Promise;"
     " delete Document.prototype.fonts; delete document.fonts;", None,
     {"webkit": "WebKitWebDriver's own scripts need the page's Promise"}),
]


def assert_notice_in_place_of_start(test, page):
    page.wait_for("return window.noticeSeen.length > 0", timeout=5,
                  message="no notice within 5 s")
    shown = page.js(SHOWN)
    test.assertLessEqual(shown["seen"][0], NOTICE_WITHIN_MS)
    test.assertTrue(shown["noticeShown"])
    test.assertFalse(shown["startShown"])
    test.assertTrue(shown["inside"], "the notice stands outside the window")
    test.assertFalse(shown["clipped"], "the notice is cut short")
    test.assertRegex(shown["text"], r"^[А-Яа-яЁё ,.\n]{20,}$")
    # Nothing pretends to work: Return starts no task, and the boxes stay shut.
    page.keys(Keys.RETURN)
    after = page.js(SHOWN)
    test.assertFalse(after["ready"])
    test.assertFalse(after["boxesOpen"])
    test.assertFalse(after["startShown"])


class CannotStart(PageTest):
    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.copies = tempfile.TemporaryDirectory(prefix="roots-drill-broken-")

    @classmethod
    def tearDownClass(cls):
        cls.copies.cleanup()
        super().tearDownClass()

    def test_each_failed_start_shows_the_notice_in_place_of_start(self):
        source = PAGE.read_text(encoding="utf-8")
        for road, before, change, cannot in ROADS:
            with self.subTest(road):
                if ENGINE in cannot:
                    self.skipTest(f"{ENGINE}: {cannot[ENGINE]}")
                url = PAGE.as_uri()
                if change:
                    copy = Path(self.copies.name) / PAGE.name
                    copy.write_text(change(source), encoding="utf-8")
                    url = copy.as_uri()
                self.page.open(url, before=WATCH + before, ready=False)
                assert_notice_in_place_of_start(self, self.page)

    def test_a_start_never_flashes_the_notice(self):
        self.page.open(before=WATCH)
        self.page.keys(Keys.RETURN)
        shown = self.page.js(SHOWN)
        self.assertEqual(shown["seen"], [])
        self.assertFalse(shown["noticeShown"])
        self.assertTrue(shown["boxesOpen"])


# From the page's own task, not the test's script (which a browser may let evaluate anyway):
# whether eval and a WebAssembly compile are still allowed.
STILL_ALLOWED = """
var done = arguments[arguments.length - 1];
setTimeout(function () {
  var allowed = {};
  try { eval("1"); allowed.eval = true; } catch (error) { allowed.eval = false; }
  try {
    new WebAssembly.Module(new Uint8Array([0, 97, 115, 109, 1, 0, 0, 0]));
    allowed.compile = true;
  } catch (error) { allowed.compile = false; }
  done(allowed);
});
"""


class AfterTheStart(PageTest):
    def test_the_running_page_compiles_no_more_code(self):
        self.page.open()
        allowed = self.page.driver.execute_async_script(STILL_ALLOWED)
        self.assertFalse(allowed["eval"])
        if ENGINE == "webkit":  # it refuses WebAssembly only under the policy it loaded with
            print("  (webkit: a policy added after the load does not stop WebAssembly "
                  "compiles there; eval only)")
        else:
            self.assertFalse(allowed["compile"])


# How each engine's own switch turns WebAssembly off.
WASM_OFF = {
    "chromium": "V8 without its compilers (--js-flags=--jitless, as in a browser's "
                "enhanced security mode), which has no WebAssembly",
    "firefox": "the preference javascript.options.wasm set to false",
    "webkit": "JavaScriptCore's option useWasm off (JSC_useWasm=false)",
}


class WebAssemblySwitchedOff(unittest.TestCase):
    def test_notice_in_a_browser_with_webassembly_off(self):
        print(f"  ({ENGINE}: {WASM_OFF[ENGINE]})")
        driver = start_browser(wasm=False)
        try:
            page = Page(driver)
            page.open(before=WATCH, ready=False)
            self.assertEqual(page.js("return typeof WebAssembly"), "undefined")
            assert_notice_in_place_of_start(self, page)
        finally:
            quit_browser(driver)


if __name__ == "__main__":
    run()
