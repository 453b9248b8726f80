#!/usr/bin/python3
"""The answer boxes' editing rules in the page: every sequence of tests/editing_sequences.h
(written as JSON by editing_sequences_json at build time) played with the keyboard and the real
clipboard, pasted with Ctrl+V.

The desktop tests play each sequence on task 1 of a scripted run. The page's equations are
random, so each sequence is played on the first task whose roots have the signs of the scripted
ones (every block of four tasks has one with both positive and one with both negative), with
that task's roots standing in for the scripted ones wherever the sequence types or expects them.
"""

import functools
import json
import os
import re

from page import ENGINE, PAGE, ActionChains, Keys, PageTest, run

SEQUENCES = os.environ.get("ROOTS_DRILL_EDITING_SEQUENCES",
                           PAGE.parent / "tests" / "editing_sequences.json")


class EditingRules(PageTest):
    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        with open(SEQUENCES, encoding="utf-8") as source:
            cls.sequences = json.load(source)
        if ENGINE == "chromium":  # the others' profiles let the page use the clipboard
            cls.driver.execute_cdp_cmd("Browser.grantPermissions", {
                "permissions": ["clipboardReadWrite", "clipboardSanitizedWrite"]})

    def press(self, key):
        if key == "ShiftTab":
            ActionChains(self.driver).key_down(Keys.SHIFT).send_keys(Keys.TAB) \
                .key_up(Keys.SHIFT).perform()
        elif key == "CtrlA":
            self.page.ctrl("a")
        else:
            self.page.keys({"Return": Keys.RETURN, "Tab": Keys.TAB,
                            "Backspace": Keys.BACKSPACE}[key])

    def task_with_signs_of(self, scripted):
        """Goes on from Start to the first task whose roots have the signs of the scripted
        ones, solving the others; its roots, matched to the scripted ones by size."""
        page = self.page
        page.keys(Keys.RETURN)
        for _ in range(4):
            roots = page.roots()
            if sorted(root > 0 for root in roots) == sorted(root > 0 for root in scripted):
                return {str(old): str(new) for old, new in
                        zip(sorted(map(abs, scripted)), sorted(map(abs, roots)))}
            self.solve_by_keys()
            page.past_next_guard()
            page.keys(Keys.RETURN)
        self.fail(f"no task with roots signed as {scripted} in a block of four")

    def test_every_sequence_leaves_the_boxes_verdict_and_counter_it_must(self):
        self.assertGreaterEqual(len(self.sequences), 7)
        for sequence in self.sequences:
            with self.subTest(sequence["rule"]):
                self.page.open()
                sizes = self.task_with_signs_of(sequence["roots"])
                wrong_before = int(self.page.text("Text3"))
                actual = functools.partial(stand_in, sizes)
                for step in sequence["steps"]:
                    if "type" in step:
                        self.page.keys(actual(step["type"]))
                    elif "paste" in step:
                        self.page.paste_by_keys(actual(step["paste"]))
                    else:
                        self.press(step["key"])
                shown = self.page.state()
                self.assertEqual(shown["Text4"]["text"], actual(sequence["text4"]))
                self.assertEqual(shown["Text5"]["text"], actual(sequence["text5"]))
                self.assertEqual(shown["Label12"]["text"], sequence["verdict"])
                self.assertEqual(int(shown["Text3"]["text"]) - wrong_before,
                                 int(sequence["wrongAttempts"]))


def stand_in(sizes, text):
    """The text with each scripted root's digits replaced by those of the actual root."""
    return re.sub(r"\d+", lambda digits: sizes.get(digits.group(), digits.group()), text)


if __name__ == "__main__":
    run()
