#!/usr/bin/python3
"""The page in the oldest browsers it is for (Safari 12, Chrome 70, Firefox 68), as a current
engine can play them: before the page loads, every API it would use that one of them lacks is
taken away, and its policy loses the keywords one of them does not know (web/README.md has the
versions). The page still starts, lays its window out exactly as it does with them, and takes
a task by keys."""

import tempfile
from pathlib import Path

from page import CORRECT, PAGE, Keys, PageTest, run, set_viewport

# What one of the oldest browsers lacks, how it is taken away, and what is true while it is
# there.
LACKING = [
    ("a MediaQueryList's addEventListener",
     "Object.defineProperty(MediaQueryList.prototype, 'addEventListener', {value: undefined});",
     "typeof matchMedia('all').addEventListener === 'function'"),
    ("the font box of a canvas' TextMetrics",
     "delete TextMetrics.prototype.fontBoundingBoxAscent;"
     " delete TextMetrics.prototype.fontBoundingBoxDescent;",
     "'fontBoundingBoxAscent' in TextMetrics.prototype"),
    ("WebAssembly's compiles from a stream",
     "delete WebAssembly.instantiateStreaming; delete WebAssembly.compileStreaming;",
     "'instantiateStreaming' in WebAssembly"),
    ("globalThis", "delete window.globalThis;", "typeof globalThis !== 'undefined'"),
    ("a number format's formatToParts", "delete Intl.NumberFormat.prototype.formatToParts;",
     "'formatToParts' in Intl.NumberFormat.prototype"),
    ("an input's inputMode", "delete HTMLElement.prototype.inputMode;",
     "'inputMode' in HTMLElement.prototype"),
]

# The policy's keywords one of them does not know, which it ignores.
UNKNOWN_KEYWORDS = ["'wasm-unsafe-eval'", "'strict-dynamic'", "'unsafe-hashes'",
                    "'report-sample'"]

# Where every element of the window stands and in what font, and where the window itself is.
LAYOUT = """
var seen = {};
var elements = document.querySelectorAll("#Form1, #Form1 [id]");
for (var i = 0; i < elements.length; i++) {
  var box = elements[i].getBoundingClientRect(), style = getComputedStyle(elements[i]);
  seen[elements[i].id] = [box.left, box.top, box.width, box.height, style.font,
                          style.paddingTop, elements[i].hidden];
}
return seen;
"""

VIEWPORT = (1000, 700)  # not the window's own size: the page must fit it


class OldestBrowsers(PageTest):
    def test_starts_lays_out_and_takes_a_task_without_what_they_lack(self):
        page = self.page
        set_viewport(self.driver, *VIEWPORT)
        page.open()
        as_usual = page.js(LAYOUT)

        with tempfile.TemporaryDirectory(prefix="roots-drill-old-") as folder:
            copy = Path(folder) / PAGE.name
            text = PAGE.read_text(encoding="utf-8")
            for keyword in UNKNOWN_KEYWORDS:
                text = text.replace(" " + keyword, "")
            copy.write_text(text, encoding="utf-8")
            page.open(copy.as_uri(), before="".join(take for _, take, _ in LACKING))
            for what, _, present in LACKING:
                self.assertFalse(page.js("return " + present), f"{what} is still there")
            self.assertEqual(page.js(LAYOUT), as_usual)
            page.keys(Keys.RETURN)
            self.assertEqual(self.solve_by_keys(), CORRECT)
            self.assertNoConsoleProblems()


if __name__ == "__main__":
    run()
