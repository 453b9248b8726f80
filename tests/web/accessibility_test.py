#!/usr/bin/python3
"""What a screen reader gets from the page, from Chromium's own accessibility tree: the names of
the boxes and counters, the displays read with their values as they change, the equation as
words, the news of each step in a live region; and a page in Russian throughout."""

import re

from page import (CORRECT, TITLE, WRONG, Keys, PageTest, ax_value, needs, run, spoken_equation)

FIXED_NAMES = {"Text4": "Первый корень", "Text5": "Второй корень", "Text1": "Решено всего",
               "Text2": "С первой попытки", "Text3": "Ошибочных попыток"}
EQUATION_LABELS = ["Lbla", "Lblxx", "LblSt2", "Lblb", "Lblx", "Lblc", "Lbl0"]
# Latin letters a pupil meets only in the equation: its x, and p and q before the first one.
LATIN_ALLOWED = {"x", "p", "q"}


@needs("devtools")
class ScreenReader(PageTest):
    def setUp(self):
        self.page.open()

    def names(self, *controls):
        nodes = self.page.accessibility(controls)
        return {control: ax_value(node, "name") for control, node in nodes.items()}

    def test_names_the_boxes_counters_and_displays_with_their_values(self):
        page = self.page
        self.assertEqual(self.names(*FIXED_NAMES), FIXED_NAMES)
        self.assertEqual(self.names("Label6", "Label4", "Label14", "Label21", "EquationArea"), {
            "Label6": "Средний балл: 0", "Label4": "Оценка: 0",
            "Label14": "Время задания: 00 сек", "Label21": "Суммарное время: 0 мин 00 сек",
            "EquationArea": "x в квадрате плюс p x плюс q равно нулю"})

        page.keys(Keys.RETURN)
        self.assertEqual(self.names("EquationArea")["EquationArea"],
                         spoken_equation(*page.equation()))
        # One element: its seven labels are not read on their own.
        for label, node in page.accessibility(EQUATION_LABELS).items():
            self.assertTrue(node is None or node.get("ignored"), label)
        page.raise_clock(65_000)
        page.wait_for("return !document.getElementById('Label16').hidden", timeout=3)
        self.assertEqual(self.names("Label14")["Label14"], "Время задания: 1 мин 05 сек")
        self.solve_by_keys()
        page.past_next_guard()
        page.keys(Keys.RETURN)
        self.assertEqual(self.names("Label14", "Label21"), {
            "Label14": "Время задания: 00 сек", "Label21": "Суммарное время: 1 мин 05 сек"})
        self.assertEqual(self.names("EquationArea")["EquationArea"],
                         spoken_equation(*page.equation()))

        # From the sixth task on, the rating and the grade.
        for task in range(2, 7):
            self.assertEqual(self.solve_by_keys(), CORRECT)
            if task < 6:
                page.past_next_guard()
                page.keys(Keys.RETURN)
        self.assertEqual(self.names("Label6", "Label4"),
                         {"Label6": "Средний балл: 5", "Label4": "Оценка: 5"})
        self.assertEqual(self.names(*FIXED_NAMES), FIXED_NAMES)

    def test_news_of_each_step_is_in_a_live_region(self):
        page = self.page
        news = page.accessibility(["News"])["News"]
        nodes = {node["nodeId"]: node for node in
                 page.cdp("Accessibility.getFullAXTree")["nodes"]}
        regions = [nodes[child] for child in news["childIds"]]
        self.assertEqual([ax_value(region, "live") for region in regions], ["polite", "polite"])
        self.assertEqual(self.spoken_text("News"), "")
        page.keys(Keys.RETURN)
        self.assertEqual(self.spoken_text("News"), spoken_equation(*page.equation()))
        first, _ = page.roots()
        page.keys(str(first), Keys.RETURN, "0", Keys.RETURN)
        self.assertEqual(self.spoken_text("News"), WRONG)
        self.assertEqual(self.solve_by_keys(), CORRECT)
        self.assertEqual(self.spoken_text("News"), CORRECT)
        page.past_next_guard()
        page.keys(Keys.RETURN)
        self.assertEqual(self.spoken_text("News"), spoken_equation(*page.equation()))

    def test_a_button_just_hidden_takes_no_press_from_a_reader(self):
        # A hidden button stays in a reader's tree for a moment, where the reader could press it.
        page = self.page
        press = "document.getElementById(arguments[0]).click()"
        page.keys(Keys.RETURN)
        equation = page.equation()
        page.js(press, "Command2")
        self.assertEqual(page.equation(), equation, "Start pressed twice")
        first, _ = page.roots()
        page.keys(str(first), Keys.RETURN, "0", Keys.RETURN)
        page.js(press, "Command1")
        self.assertEqual(page.state(["Text3"])["Text3"]["text"], "1", "Check pressed twice")

    def spoken_text(self, control):
        """The text a screen reader reads inside the element: its static text nodes."""
        nodes = {node["nodeId"]: node for node in
                 self.page.cdp("Accessibility.getFullAXTree")["nodes"]}
        start = self.page.accessibility([control])[control]
        text, pending = [], list(start.get("childIds", []))
        while pending:
            node = nodes.get(pending.pop(0))
            if node is None or node.get("ignored"):
                continue
            if ax_value(node, "role") == "StaticText":
                text.append(ax_value(node, "name"))
            else:
                pending.extend(node.get("childIds", []))
        return "".join(text)

    def test_page_speaks_russian_only(self):
        page = self.page
        self.assertEqual(page.js("return document.documentElement.lang"), "ru")
        self.assertEqual(page.driver.title, TITLE)
        for moment in ("at load", "in a task", "after a wrong answer", "solved"):
            with self.subTest(moment):
                if moment == "in a task":
                    page.keys(Keys.RETURN)
                elif moment == "after a wrong answer":
                    page.keys(str(page.roots()[0]), Keys.RETURN, "0", Keys.RETURN)
                elif moment == "solved":
                    self.solve_by_keys()
                shown = page.js("return document.body.innerText")
                self.assertLessEqual(latin_words(shown), LATIN_ALLOWED, shown)
                tree = page.cdp("Accessibility.getFullAXTree")["nodes"]
                names = [ax_value(node, "name") or "" for node in tree if not node.get("ignored")]
                self.assertLessEqual(latin_words(" ".join(names)), LATIN_ALLOWED, names)
                self.assertGreater(len(names), 20)


def latin_words(text):
    return set(re.findall(r"[A-Za-z]+", text))


if __name__ == "__main__":
    run()
