#!/usr/bin/python3
"""Where the page puts the window's controls and how it paints them, against the control table
form/control_table.cpp (read here from the source): each box in twips at 15 to a CSS pixel at
scale 1, the stacking, the equation row, the colours in a screenshot; and the scale the page
fits to the screen at several sizes of it."""

import collections

from page import (DESIGN_HEIGHT, DESIGN_WIDTH, FIT_SCRIPT, TWIPS_PER_PX, Image, Keys, PageTest,
                  control_table, css_colour, resize_window, run, set_viewport)

TOLERANCE = 0.04  # CSS px: layout's own rounding, 1/64 px, on each of two edges
TIMER = "Timer"
OVER_LABELS = {"Button", "TextBox", "Frame"}

# Every control's box relative to the design area, with the hidden ones shown for the measure.
BOXES_SCRIPT = """
const origin = document.getElementById("Form1").getBoundingClientRect();
const boxes = {};
for (const name of arguments[0]) {
  const element = document.getElementById(name);
  if (element === null) continue;
  const hidden = element.hidden;
  element.hidden = false;
  const box = element.getBoundingClientRect();
  element.hidden = hidden;
  boxes[name] = {left: box.left - origin.left, top: box.top - origin.top,
                 right: box.right - origin.left, bottom: box.bottom - origin.top,
                 parent: element.parentElement.id};
}
return boxes;
"""

def rows():
    return [row for row in control_table() if row.kind != TIMER]


def px(twips):
    return twips / TWIPS_PER_PX


def layer(row):
    """Back to front: the equation row's layer under everything, the window's labels and
    shape, its frame, boxes and buttons, then the frame's own labels and boxes on the frame."""
    if row.parent == "EquationRow":
        return -1
    return (2 if row.parent == "Frame1" else 0) + (row.kind in OVER_LABELS)


def front_rank(row):
    """Larger is nearer the front: within a layer, the earlier row of the table."""
    return layer(row), -control_table().index(row)


class DesignArea(PageTest):
    """At scale 1: the viewport is the window's client area, 792 by 568 CSS pixels."""

    def setUp(self):
        self.page.open()
        fit = self.page.js(FIT_SCRIPT)
        self.assertEqual((fit["left"], fit["top"], fit["width"], fit["height"]),
                         (0, 0, DESIGN_WIDTH, DESIGN_HEIGHT))

    def boxes(self):
        return self.page.js(BOXES_SCRIPT, [row.name for row in rows()])

    def test_every_control_stands_where_the_table_puts_it(self):
        boxes = self.boxes()
        frame = next(row for row in rows() if row.name == "Frame1")
        for row in rows():
            with self.subTest(row.name):
                self.assertIn(row.name, boxes, "no element with the control's name")
                box = boxes[row.name]
                # Frame1's controls stand on the frame, in its coordinates.
                left, top = px(row.left), px(row.top)
                if row.parent == "Frame1":
                    self.assertEqual(box["parent"], "Frame1")
                    left, top = left + px(frame.left), top + px(frame.top)
                right = left + px(row.width)
                self.assertAlmostEqual(box["top"], top, delta=TOLERANCE)
                if "kSizesItself" not in row.flags:
                    self.assertAlmostEqual(box["left"], left, delta=TOLERANCE)
                    self.assertAlmostEqual(box["right"], right, delta=TOLERANCE)
                    self.assertAlmostEqual(box["bottom"], top + px(row.height), delta=TOLERANCE)
                elif row.align == "Left":
                    self.assertAlmostEqual(box["left"], left, delta=TOLERANCE)
                elif row.align == "Right":
                    self.assertAlmostEqual(box["right"], right, delta=TOLERANCE)
                else:
                    self.assertAlmostEqual((box["left"] + box["right"]) / 2, (left + right) / 2,
                                           delta=TOLERANCE)

    def test_stacks_earlier_rows_in_front_with_buttons_boxes_frame_over_labels(self):
        order = self.page.js("return [...document.querySelectorAll('#Form1 [id]')]"
                             ".map((element) => element.id);")
        table = rows()
        depth = {row.name: order.index(row.name) for row in table}
        for back in table:
            for front in table:
                if front.parent == back.parent and front_rank(front) > front_rank(back):
                    with self.subTest(front=front.name, back=back.name):
                        self.assertGreater(depth[front.name], depth[back.name])
        # The equation row's layer lies under everything else on the window.
        for row in table:
            if row.parent == "Window":
                self.assertGreater(depth[row.name], order.index("EquationArea"), row.name)
        # And as drawn: where two shown controls overlap, the one in front takes the pointer.
        boxes = self.boxes()
        shown = self.page.js("return arguments[0].filter((name) => "
                             "document.getElementById(name).checkVisibility());",
                             [row.name for row in table])
        overlaps = 0
        for back in table:
            for front in table:
                if (back.name not in shown or front.name not in shown
                        or front_rank(front) <= front_rank(back)):
                    continue
                a, b = boxes[back.name], boxes[front.name]
                left, right = max(a["left"], b["left"]), min(a["right"], b["right"])
                top, bottom = max(a["top"], b["top"]), min(a["bottom"], b["bottom"])
                if right - left < 1 or bottom - top < 1:
                    continue
                x, y = (left + right) / 2, (top + bottom) / 2
                covering = [row for row in table if row.name in shown and
                            boxes[row.name]["left"] <= x <= boxes[row.name]["right"] and
                            boxes[row.name]["top"] <= y <= boxes[row.name]["bottom"]]
                expected = max(covering, key=front_rank).name
                hit = self.page.js("""
                    let element = document.elementFromPoint(arguments[0], arguments[1]);
                    while (element && !arguments[2].includes(element.id))
                      element = element.parentElement;
                    return element && element.id;""", x, y, shown)
                with self.subTest(front=front.name, back=back.name):
                    self.assertEqual(hit, expected)
                overlaps += 1
        self.assertGreaterEqual(overlaps, 4, "the table's overlaps were not found")

    def test_equation_row_stands_edge_to_edge_centred_on_its_middle_line(self):
        self.page.keys(Keys.RETURN)  # Start: the first equation
        names = ["Lbla", "Lblxx", "LblSt2", "Lblb", "Lblx", "Lblc", "Lbl0"]
        boxes = self.page.js(BOXES_SCRIPT, names)
        for before, after in zip(names, names[1:]):
            with self.subTest(after):
                self.assertAlmostEqual(boxes[after]["left"], boxes[before]["right"],
                                       delta=TOLERANCE)
                self.assertAlmostEqual(boxes[after]["top"], px(3600), delta=TOLERANCE)
        middle = (boxes["Lbla"]["left"] + boxes["Lbl0"]["right"]) / 2
        self.assertAlmostEqual(middle, px(5750), delta=TOLERANCE)

    def test_paints_each_control_in_its_back_colour(self):
        page = self.page
        shots = [("at load", self.shoot())]
        page.keys(Keys.RETURN)
        page.raise_clock(61_000)  # the task's minutes appear
        page.wait_for("return !document.getElementById('Label16').hidden", timeout=3)
        first, second = page.roots()
        page.keys(str(first), Keys.RETURN, str(second))
        shots.append(("with Check", self.shoot()))
        page.keys(Keys.RETURN)
        shots.append(("with Next", self.shoot()))

        painted = set()
        for moment, (image, boxes) in shots:
            for row in rows():
                box = boxes.get(row.name)
                if box is None or box["right"] - box["left"] < 8:
                    continue  # hidden, or an empty caption
                with self.subTest(row.name, moment=moment):
                    self.assertEqual(dominant_colour(image, box), css_colour(row.back))
                painted.add(row.name)
                if row.line:  # the shape's outline, in its line colour
                    middle = int((box["top"] + box["bottom"]) / 2)
                    for x in range(int(box["left"]), int(box["left"]) + row.line):
                        self.assertEqual(image.pixel(x, middle), css_colour(row.text))
                    self.assertEqual(image.pixel(int(box["left"]) + row.line + 1, middle),
                                     css_colour(row.back))
        self.assertEqual(painted, {row.name for row in rows()} - {"Lbla"})

    def shoot(self):
        """A screenshot at scale 1 and the boxes of the controls shown in it, once the page has
        drawn what it has (a browser may take the picture from the frame before)."""
        self.page.js_async("requestAnimationFrame(() => requestAnimationFrame(() => done()));")
        image = Image(self.page.driver.get_screenshot_as_png())
        self.assertEqual((image.width, image.height), (DESIGN_WIDTH, DESIGN_HEIGHT))
        boxes = self.page.js(BOXES_SCRIPT.replace("element.hidden = false;", ""),
                             [row.name for row in rows()])
        return image, {name: box for name, box in boxes.items() if box["right"] > box["left"]}


def dominant_colour(image, box, inset=3):
    """The colour of most pixels inside the box, its edges left out: the back colour, whatever
    text it shows."""
    count = collections.Counter()
    for y in range(int(box["top"]) + inset, int(box["bottom"]) - inset):
        for x in range(int(box["left"]) + inset, int(box["right"]) - inset):
            count[image.pixel(x, y)] += 1
    return count.most_common(1)[0][0]


class FittedScale(PageTest):
    """The window at one scale as large as the screen holds, in the middle, without scrolling,
    after every change of the screen's size."""

    VIEWPORTS = [(1280, 800), (800, 600), (400, 300), (1920, 1080), (792, 568), (600, 900)]

    def test_fills_the_screen_at_one_scale_after_each_resize(self):
        self.page.open()
        for width, height in self.VIEWPORTS:
            with self.subTest(viewport=(width, height)):
                set_viewport(self.driver, width, height)
                self.page.wait_for("return document.documentElement.clientWidth === arguments[0]"
                                   " && Math.abs(document.getElementById('Form1')"
                                   ".getBoundingClientRect().width - arguments[1]) < 0.5",
                                   width, expected_width(width, height), timeout=3,
                                   message="not fitted again after the resize")
                self.assertFits(self.page.js(FIT_SCRIPT), width, height)
        # The browser's window resized (in Chromium the real window, not an emulated screen).
        resize_window(self.driver, 1000, 700)
        fit = self.page.js(FIT_SCRIPT)
        self.page.wait_for("return Math.abs(document.getElementById('Form1')"
                           ".getBoundingClientRect().width - arguments[0]) < 0.5",
                           expected_width(fit["clientWidth"], fit["clientHeight"]), timeout=3)
        self.assertFits(self.page.js(FIT_SCRIPT), fit["clientWidth"], fit["clientHeight"])


def expected_width(width, height):
    return DESIGN_WIDTH * min(width / DESIGN_WIDTH, height / DESIGN_HEIGHT)


if __name__ == "__main__":
    run()
