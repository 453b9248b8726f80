#!/usr/bin/python3
"""A pupil's road through the page: Start, the roots, Check, a wrong answer, Next; by the
keyboard alone and by the mouse alone. The equations are the page's own random ones, read from
the row and solved as a pupil solves them."""

from page import CORRECT, WRONG, Keys, PageTest, run

# Holds the program back, before the page loads, until the test lets it be compiled.
HOLD_THE_PROGRAM = """
var instantiate = WebAssembly.instantiate, waiting = [];
window.letTheProgramRun = function () { waiting.forEach(function (go) { go(); }); };
WebAssembly.instantiate = function (program, imports) {
  return new Promise(function (go) { waiting.push(go); })
      .then(function () { return instantiate.call(WebAssembly, program, imports); });
};
"""


class PupilRoad(PageTest):
    def setUp(self):
        self.page.open()

    def assertTaskOpen(self):
        """A new task: the row shows a solvable equation, the boxes empty and open, no button,
        the focus where the first root goes, the task's stopwatch at zero."""
        shown = self.page.state()
        self.page.roots()  # two whole roots in -9..9, or it fails
        self.assertEqual(shown["Label12"]["text"], "")
        for box in ("Text4", "Text5"):
            self.assertEqual(shown[box]["text"], "")
            self.assertTrue(shown[box]["enabled"], box)
        for button in ("Command1", "Command2", "Command3"):
            self.assertFalse(shown[button]["shown"], button)
        self.assertEqual(shown["focus"], "Text4")
        self.assertEqual(shown["Label14"]["text"], "00")

    def assertSolved(self, solved, first_try, wrong):
        shown = self.page.state()
        self.assertEqual(shown["Label12"]["text"], CORRECT)
        self.assertEqual([shown[box]["text"] for box in ("Text1", "Text2", "Text3")],
                         [str(solved), str(first_try), str(wrong)])
        self.assertFalse(shown["Text4"]["enabled"])
        self.assertFalse(shown["Text5"]["enabled"])
        self.assertTrue(shown["Command3"]["shown"])
        self.assertFalse(shown["Command1"]["shown"])
        self.assertEqual(shown["focus"], "Command3")

    def test_keyboard_alone_solves_tasks_and_recovers_from_a_wrong_answer(self):
        page = self.page
        self.assertEqual(page.focus(), "Command2")
        page.keys(Keys.RETURN)  # Start
        self.assertTaskOpen()

        first, second = page.roots()
        page.keys(str(first), Keys.RETURN)
        self.assertEqual(page.focus(), "Text5")
        self.assertFalse(page.state()["Command1"]["shown"])
        page.keys(str(second))
        self.assertTrue(page.state()["Command1"]["shown"])
        page.keys(Keys.RETURN)  # Check
        self.assertSolved(solved=1, first_try=1, wrong=0)

        # A hurried second Return, within a double click's time of Check, is not taken.
        page.keys(Keys.RETURN)
        self.assertSolved(solved=1, first_try=1, wrong=0)
        page.past_next_guard()
        page.keys(Keys.RETURN)  # Next
        self.assertTaskOpen()

        # Task 2, first a wrong answer: the second root is never 0.
        first, second = page.roots()
        page.keys(str(first), Keys.RETURN, "0", Keys.RETURN)
        shown = page.state()
        self.assertEqual(shown["Label12"]["text"], WRONG)
        self.assertEqual((shown["Text4"]["text"], shown["Text5"]["text"]), ("", ""))
        self.assertEqual(shown["Text3"]["text"], "1")
        self.assertEqual(shown["focus"], "Text4")
        self.assertFalse(shown["Command1"]["shown"])
        self.assertFalse(shown["Command3"]["shown"])

        page.keys(str(second), Keys.RETURN, str(first), Keys.RETURN)  # either order
        self.assertSolved(solved=2, first_try=1, wrong=1)

    def test_start_pressed_before_the_program_runs_counts_once_it_does(self):
        page = self.page
        for press in ("Return", "click"):
            with self.subTest(press):
                page.open(before=HOLD_THE_PROGRAM, ready=False)
                page.wait_for("return document.readyState === 'complete' &&"
                              " document.activeElement.id === 'Command2'")
                if press == "Return":
                    page.keys(Keys.RETURN)
                else:
                    page.click("Command2")
                self.assertFalse(page.js("return performance.getEntriesByName("
                                         "'roots-drill-ready').length > 0"))
                page.js("letTheProgramRun()")
                page.wait_ready()
                page.js("testClock.freeze()")
                self.assertTaskOpen()

    def test_mouse_alone_solves_a_task(self):
        page = self.page
        page.click("Command2")
        self.assertTaskOpen()
        first, second = page.roots()
        page.click("Text4")
        page.keys(str(first))
        page.click("Text5")
        page.keys(str(second))
        page.click("Command1")
        self.assertSolved(solved=1, first_try=1, wrong=0)

        page.past_next_guard()
        page.click("Command3")
        self.assertTaskOpen()


if __name__ == "__main__":
    run()
