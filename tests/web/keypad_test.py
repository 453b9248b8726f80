#!/usr/bin/python3
"""The page's keypad, for a finger: shown on a phone (a coarse main pointer), beside or below the
window, keys big enough to hit and named for a screen reader, the system keyboard kept closed; a
task solved by taps alone. With a mouse there is no keypad and the boxes take the keyboard."""

from page import (CORRECT, FIT_SCRIPT, PHONE, PageTest, ax_value, needs, run, set_viewport)

KEYS = {"Key0": "0", "Key1": "1", "Key2": "2", "Key3": "3", "Key4": "4", "Key5": "5",
        "Key6": "6", "Key7": "7", "Key8": "8", "Key9": "9", "KeyMinus": "минус",
        "KeyBack": "стереть", "KeyReturn": "ввод"}
MIN_KEY = 44  # CSS px, the least a fingertip hits reliably

KEYPAD_SCRIPT = """
const box = (id) => { const r = document.getElementById(id).getBoundingClientRect();
                      return {left: r.left, top: r.top, right: r.right, bottom: r.bottom}; };
const keys = {};
for (const id of arguments[0]) keys[id] = box(id);
return {coarse: matchMedia("(pointer: coarse)").matches,
        shown: document.getElementById("keypad").checkVisibility(),
        form: box("Form1"), keypad: box("keypad"), area: box("keypadArea"), keys: keys,
        inputModes: ["Text4", "Text5"].map((id) => document.getElementById(id).inputMode)};
"""


@needs("touch", "devtools")
class PhoneKeypad(PageTest):
    mobile = PHONE

    def setUp(self):
        set_viewport(self.driver, PHONE["width"], PHONE["height"], mobile=True,
                     scale=PHONE["pixelRatio"])
        self.page.open()

    def keypad(self):
        return self.page.js(KEYPAD_SCRIPT, list(KEYS))

    def test_keypad_stands_below_the_window_upright_and_beside_it_on_its_side(self):
        for width, height, orientation in ((390, 844, "portraitPrimary"),
                                           (844, 390, "landscapePrimary")):
            with self.subTest(orientation):
                self.page.turn_screen(width, height, orientation)
                shown = self.keypad()
                self.assertTrue(shown["coarse"])
                self.assertTrue(shown["shown"])
                form, keypad, area = shown["form"], shown["keypad"], shown["area"]
                if height > width:
                    self.assertGreaterEqual(keypad["top"], form["bottom"] - 0.04)
                    room = (width, height - (area["bottom"] - area["top"]))
                else:
                    self.assertGreaterEqual(keypad["left"], form["right"] - 0.04)
                    room = (width - (area["right"] - area["left"]), height)
                self.assertFits(self.page.js(FIT_SCRIPT), width, height, room=room)
                for key, box in shown["keys"].items():
                    self.assertGreaterEqual(box["right"] - box["left"], MIN_KEY, key)
                    self.assertGreaterEqual(box["bottom"] - box["top"], MIN_KEY, key)
                    self.assertTrue(0 <= box["left"] and box["right"] <= width and
                                    0 <= box["top"] and box["bottom"] <= height, (key, box))

    def test_boxes_keep_the_system_keyboard_closed_and_keys_have_spoken_names(self):
        self.assertEqual(self.keypad()["inputModes"], ["none", "none"])
        nodes = self.page.accessibility(list(KEYS))
        for key, name in KEYS.items():
            with self.subTest(key):
                self.assertEqual(ax_value(nodes[key], "role"), "button")
                self.assertEqual(ax_value(nodes[key], "name"), name)

    def tap_in(self, box, text):
        """Taps a number in on the keypad, the minus key for a minus."""
        for character in text:
            expected = self.page.text(box) + character
            self.page.tap("KeyMinus" if character == "-" else "Key" + character)
            self.page.wait_for("return document.getElementById(arguments[0]).value === "
                               "arguments[1]", box, expected, timeout=3)

    def test_solves_tasks_by_taps_alone_with_the_minus_and_erase_keys(self):
        page = self.page
        page.tap("Command2")
        page.wait_for("return document.activeElement.id === 'Text4'", timeout=3)
        for task in range(1, 5):  # a block of four tasks has a negative root in three
            first, second = page.roots()
            page.tap("Text4")
            # A wrong digit first, erased.
            self.tap_in("Text4", "8" if abs(first) != 8 else "7")
            page.tap("KeyBack")
            page.wait_for("return document.getElementById('Text4').value === ''", timeout=3)
            self.tap_in("Text4", str(first))
            page.tap("KeyReturn")
            page.wait_for("return document.activeElement.id === 'Text5'", timeout=3)
            self.tap_in("Text5", str(second))
            page.tap("KeyReturn")  # Check
            page.wait_for("return document.getElementById('Label12').textContent === "
                          "arguments[0]", CORRECT, timeout=3)
            self.assertEqual(page.text("Text1"), str(task))
            self.assertEqual(page.text("Text3"), "0")
            if min(first, second) < 0:
                break
            page.past_next_guard()
            page.tap("Command3")
            page.wait_for("return document.getElementById('Label12').textContent === ''",
                          timeout=3)
        self.assertLess(min(first, second), 0, "no negative root in four tasks")

    def test_double_tap_on_check_never_goes_on_to_the_next_task(self):
        page = self.page
        page.tap("Command2")
        page.wait_for("return document.activeElement.id === 'Text4'", timeout=3)
        first, second = page.roots()
        self.tap_in("Text4", str(first))
        page.tap("Text5")
        self.tap_in("Text5", str(second))
        equation = page.equation()
        page.js("window.nextTaps = 0; document.getElementById('Command3')"
                ".addEventListener('click', () => ++window.nextTaps);")
        page.tap("Command1", times=2)  # the second where Next now stands
        page.wait_for("return window.nextTaps === 1", timeout=3,
                      message="the second tap never reached Next")
        shown = page.state()
        self.assertEqual(shown["Label12"]["text"], CORRECT)
        self.assertTrue(shown["Command3"]["shown"])
        self.assertEqual(page.equation(), equation)
        # Once the double-click interval has passed, Next takes the tap.
        page.past_next_guard()
        page.tap("Command3")
        page.wait_for("return document.getElementById('Label12').textContent === ''", timeout=3)
        self.assertEqual(page.text("Text1"), "1")


class FinePointer(PageTest):
    def test_no_keypad_and_the_boxes_take_the_keyboard(self):
        self.page.open()
        shown = self.page.js(KEYPAD_SCRIPT, list(KEYS))
        self.assertFalse(shown["coarse"])
        self.assertFalse(shown["shown"])
        self.assertEqual(shown["inputModes"], ["text", "text"])
        self.assertAlmostEqual(shown["form"]["right"], 792, delta=0.04)  # the whole viewport


if __name__ == "__main__":
    run()
