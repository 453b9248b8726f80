#!/usr/bin/python3
"""A high-contrast theme (forced colours, as Windows' contrast themes give Edge, Chrome and
Firefox) drops every box-shadow, and the window draws its edges with them: under forced colours
the boxes, the buttons and the frame keep edges of their own, and the focus stays visible, in
a light and in a dark theme. In normal colours the rules for forced colours change not a pixel.
Forced colours are emulated through DevTools (Emulation.setEmulatedMedia)."""

from page import Image, Keys, PageTest, needs, run

# The controls a pupil must see the edges of, and when each is on screen.
EDGED = {"at load": ["Command2", "Text4", "Text5", "Frame1", "Text1", "Text2", "Text3"],
         "answering": ["Command1", "Text4", "Text5", "Frame1"],
         "solved": ["Command3", "Text4", "Text5", "Frame1"]}

BOX = """
var box = document.getElementById(arguments[0]).getBoundingClientRect();
return [box.left, box.top, box.right, box.bottom];
"""

FOCUS = """
var focused = document.activeElement, style = getComputedStyle(focused);
return [focused.id, style.outlineStyle, parseFloat(style.outlineWidth)];
"""

# The page's rules for forced colours taken out of its style sheet, and put back.
TAKE_OUT = """
var sheet = document.styleSheets[0], taken = [];
for (var i = sheet.cssRules.length - 1; i >= 0; i--) {
  var rule = sheet.cssRules[i];
  if (rule.media && rule.media.mediaText.indexOf("forced-colors") >= 0) {
    taken.unshift([i, rule.cssText]);
    sheet.deleteRule(i);
  }
}
window.takenRules = taken;
return taken.length;
"""
PUT_BACK = """
var sheet = document.styleSheets[0];
takenRules.forEach(function (rule) { sheet.insertRule(rule[1], rule[0]); });
"""


class HighContrast(PageTest):
    def go_through_a_task(self, look):
        """look(moment) at load, with both roots typed (Check and the focus in the second box),
        and with the task solved (Next, with the focus)."""
        page = self.page
        look("at load")
        page.keys(Keys.RETURN)
        first, second = page.roots()
        page.keys(str(first), Keys.RETURN, str(second))
        look("answering")
        page.keys(Keys.RETURN)
        look("solved")

    def shot(self):
        return Image(self.driver.get_screenshot_as_png())

    @needs("devtools")
    def test_normal_colours_are_the_same_without_the_rules_for_forced_colours(self):
        self.page.open()
        # The caret blinks: the two pictures of a box with the focus would differ by it.
        self.page.js("var still = document.createElement('style');"
                     "still.textContent = '#Form1 .box { caret-color: transparent; }';"
                     "document.head.appendChild(still);")

        def look(moment):
            with_rules = self.shot()
            self.assertGreater(self.page.js(TAKE_OUT), 0, "no rules for forced colours")
            without_rules = self.shot()
            self.page.js(PUT_BACK)
            self.assertTrue(with_rules.rows == without_rules.rows,
                            f"{moment}: the rules for forced colours change normal colours")

        self.go_through_a_task(look)

    @needs("devtools")
    def test_edges_and_the_focus_stay_visible_under_forced_colours(self):
        for scheme in ("light", "dark"):
            with self.subTest(scheme):
                self.page.cdp("Emulation.setEmulatedMedia", {"features": [
                    {"name": "forced-colors", "value": "active"},
                    {"name": "prefers-color-scheme", "value": scheme}]})
                try:
                    self.page.open()
                    self.assertTrue(self.page.js("return matchMedia('(forced-colors: active)')"
                                                 ".matches"))
                    self.go_through_a_task(self.assertEdgesAndFocusVisible)
                finally:
                    self.page.cdp("Emulation.setEmulatedMedia", {"features": []})

    def assertEdgesAndFocusVisible(self, moment):
        image = self.shot()
        for name in EDGED[moment]:
            left, top, right, bottom = (round(v) for v in self.page.js(BOX, name))
            middle_x, middle_y = (left + right) // 2, (top + bottom) // 2
            # Each side's edge against just inside it and just outside it.
            sides = {"left": ((left, middle_y), (left + 4, top + 4), (left - 3, middle_y)),
                     "top": ((middle_x, top), (left + 4, top + 4), (middle_x, top - 3)),
                     "right": ((right - 1, middle_y), (right - 5, bottom - 5),
                               (right + 2, middle_y)),
                     "bottom": ((middle_x, bottom - 1), (right - 5, bottom - 5),
                                (middle_x, bottom + 2))}
            for side, (edge, inside, outside) in sides.items():
                with self.subTest(moment=moment, control=name, side=side):
                    self.assertNotEqual(image.pixel(*edge), image.pixel(*inside))
                    self.assertNotEqual(image.pixel(*edge), image.pixel(*outside))
        focused, style, width = self.page.js(FOCUS)
        with self.subTest(moment=moment, focus=focused):
            self.assertIn(focused, EDGED[moment])
            self.assertNotEqual(style, "none")
            self.assertGreaterEqual(width, 1)


if __name__ == "__main__":
    run()
