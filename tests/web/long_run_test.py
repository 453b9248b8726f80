#!/usr/bin/python3
"""A whole run of 500 tasks by the keyboard: it ends after the last, with the counters and
stopwatches still reading sensibly. The page's clock is the test's: frozen, and raised past Next's
double-click guard before each Next and by a minute and a quarter in the first task."""

from page import CORRECT, Keys, PageTest, run, solve, term

TASKS = 500
WRONG_EVERY = 100  # tasks 100, 200, ... are first answered wrong once
FIRST_TASK_SECONDS = 75


class WholeRun(PageTest):
    def test_ends_after_task_500_with_counters_and_stopwatches_sensible(self):
        page = self.page
        page.open()
        page.keys(Keys.RETURN)  # Start
        page.raise_clock(FIRST_TASK_SECONDS * 1000)
        page.wait_for("return document.getElementById('Label14').textContent === '15' && "
                      "!document.getElementById('Label16').hidden", timeout=3,
                      message="the task's stopwatch did not follow the clock")
        self.assertEqual(page.text("Label16"), "1")

        for task in range(1, TASKS + 1):
            if task > 1:
                page.past_next_guard()
                page.keys(Keys.RETURN)  # Next
            shown = page.js("return [document.getElementById('Lblb').textContent, "
                            "document.getElementById('Lblc').textContent, "
                            "document.getElementById('Text1').value];")
            self.assertEqual(shown[2], str(task - 1), f"task {task}")
            first, second = solve(term(shown[0]), term(shown[1]))
            keys = [str(first), Keys.RETURN, str(second), Keys.RETURN]
            if task % WRONG_EVERY == 0:  # the second root is never 0
                keys = [str(first), Keys.RETURN, "0", Keys.RETURN] + keys
            page.keys(*keys)

        shown = page.state()
        wrong = TASKS // WRONG_EVERY
        self.assertEqual(shown["Label12"]["text"], CORRECT)
        self.assertEqual([shown[box]["text"] for box in ("Text1", "Text2", "Text3")],
                         [str(TASKS), str(TASKS - wrong), str(wrong)])
        for button in ("Command1", "Command2", "Command3"):
            self.assertFalse(shown[button]["shown"], f"{button} after the last task")
        # Return, and time, change nothing any more (but where the focus is: on the box it was
        # in at Check, disabled, until the browser takes it away).
        page.raise_clock(5000)
        page.keys(Keys.RETURN, Keys.RETURN, Keys.TAB, Keys.RETURN)
        after = page.state()
        self.assertEqual({**after, "focus": None}, {**shown, "focus": None})

        # 495 tasks at 5 points and 5 at the second attempt's: a rating from 4.9 up, grade 5.
        rating = float(shown["Label6"]["text"].replace(",", "."))
        self.assertRegex(shown["Label6"]["text"], r"^\d([.,]\d)?$")
        self.assertTrue(4.9 <= rating <= 5, rating)
        self.assertEqual(shown["Label4"]["text"], "5")
        # Only the first task took time on the frozen clock: 1 min 15 s in all, 00 s for the
        # last, with the minutes of a task hidden again.
        self.assertEqual((shown["Label21"]["text"], shown["Label19"]["text"]), ("1", "15"))
        self.assertEqual(shown["Label14"]["text"], "00")
        self.assertFalse(shown["Label16"]["shown"])


if __name__ == "__main__":
    run()
