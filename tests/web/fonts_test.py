"""Checks the web page's fonts.css against the window it has to draw.

Run from the repository: /usr/bin/python3 -m unittest tests/web/fonts_test.py
"""

import base64
import io
import re
import subprocess
import sys
import tempfile
import time
import unittest
from pathlib import Path

from fontTools.ttLib import TTFont

ROOT = Path(__file__).resolve().parents[2]
SCRIPT = ROOT / "web" / "fonts" / "make_fonts.py"
sys.path.insert(0, str(SCRIPT.parent))
sys.dont_write_bytecode = True  # no __pycache__ beside the script in the source tree
import make_fonts  # noqa: E402  (for where the source fonts are)

# What the page calls the window's design families.
PAGE_FAMILY = {"Arial": "Drill Sans", "MS Sans Serif": "Drill Sans",
               "Courier New": "Drill Mono", "Arial Black": "Drill Black"}
# Shown at run time: counts, times and the equation go where the table has a number,
# the verdict goes into Label12.
NUMBER_TEXT = "0123456789+-x= мин сек"
VERDICT = ("Label12", "Правильно! Неправильно!")
# The names that say what a face is: family, unique ID, full, PostScript, typographic, ...
IDENTITY_NAME_IDS = {1, 3, 4, 6, 16, 17, 18, 21, 25}
FORMER_NAMES = ("Liberation", "Roboto", "Arimo", "Cousine")


def run_script(out, *extra):
    return subprocess.run([sys.executable, str(SCRIPT), "--out", str(out), *extra],
                          capture_output=True, text=True)


def parse_faces(css):
    """family -> (declarations, TTFont) for every @font-face rule."""
    faces = {}
    for body in re.findall(r"@font-face\s*\{([^}]*)\}", css):
        decl = dict(re.findall(r'([\w-]+)\s*:\s*((?:"[^"]*"|[^;"])+);', body))
        data = re.search(r"data:font/woff2;base64,([A-Za-z0-9+/=]+)", decl["src"]).group(1)
        faces[decl["font-family"].strip('"')] = (decl, TTFont(io.BytesIO(base64.b64decode(data))))
    return faces


def window_text():
    """(control name, caption, (family, weight)) for each row of the window's control table."""
    source = (ROOT / "form" / "control_table.cpp").read_text(encoding="utf-8")
    font = r'\{"([^"]+)",\s*[\d.]+,\s*(\d+)'
    named_fonts = {name: (family, int(weight)) for name, family, weight
                   in re.findall(r"constexpr FontSpec (\w+) = " + font, source)}
    row = re.compile(r'^\{"(\w+)",\s*\w+,\s*\w+,(?:\s*-?\d+,){4}\s*"([^"]*)",\s*'
                     r"(?:" + font + r"|(\w+))", re.M)
    rows = [(name, caption, (family, int(weight)) if family else named_fonts[constant])
            for name, caption, family, weight, constant in row.findall(source)]
    # A row the pattern missed would silently go unchecked.
    assert len(rows) == len(re.findall(r'^\{"\w+",', source, re.M)), "control table not parsed"
    return rows


class FontsCssTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        cls.out = Path(cls.tmp.name) / "first" / "fonts.css"
        cls.first_run = time.time()
        result = run_script(cls.out)
        if result.returncode:
            raise AssertionError(result.stderr)
        cls.faces = parse_faces(cls.out.read_text(encoding="ascii"))

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def test_three_faces_named_as_the_page_asks_and_no_longer_as_before(self):
        self.assertEqual(set(self.faces), set(PAGE_FAMILY.values()))
        for family, (decl, font) in self.faces.items():
            names = font["name"]
            identity = [r.toUnicode() for r in names.names if r.nameID in IDENTITY_NAME_IDS]
            with self.subTest(family):
                self.assertEqual(decl["font-display"], "block")
                self.assertEqual(names.getDebugName(1), family)
                self.assertEqual([t for t in identity for n in FORMER_NAMES if n in t], [])
                self.assertTrue(all(names.getDebugName(i) for i in (0, 13, 14)))
                self.assertIn("subset", names.getDebugName(10))

    def test_every_caption_drawn_in_a_face_that_has_it_at_its_weight(self):
        for name, caption, (family, weight) in window_text():
            text = caption
            if any(c.isdigit() for c in caption):
                text += NUMBER_TEXT
            if name == VERDICT[0]:
                text += VERDICT[1]
            if not text:
                continue
            decl, font = self.faces[PAGE_FAMILY[family]]
            with self.subTest(name, family=family):
                self.assertEqual([c for c in text if ord(c) not in font.getBestCmap()], [])
                self.assertEqual(int(decl["font-weight"]), weight)

    def test_advance_widths_are_the_source_fonts(self):
        dirs = [Path("/usr/share/fonts")]
        for face in make_fonts.FACES:
            font = self.faces[face.family][1]
            widths = {c: font["hmtx"][g][0] for c, g in font.getBestCmap().items()}
            with TTFont(make_fonts.find_source(face, dirs)) as source:
                source_cmap = source.getBestCmap()
                expected = {c: source["hmtx"][source_cmap[c]][0] for c in widths}
            with self.subTest(face.family):
                # Every character the face was cut to is there, at its source width.
                wanted = set(map(ord, face.only)) if face.only else set(make_fonts.CODEPOINTS)
                self.assertLessEqual(wanted & set(source_cmap), set(widths))
                self.assertEqual(widths, expected)

    def test_mono_is_fixed_pitch(self):
        font = self.faces["Drill Mono"][1]
        self.assertEqual(len({width for width, _ in font["hmtx"].metrics.values()}), 1)
        self.assertTrue(font["post"].isFixedPitch)

    def test_same_fonts_give_same_bytes(self):
        # A clock read into the font shows only once the second has changed.
        time.sleep(max(0.0, self.first_run + 1.1 - time.time()))
        again = Path(self.tmp.name) / "second" / "fonts.css"
        self.assertEqual(run_script(again).returncode, 0)
        self.assertEqual(again.read_bytes(), self.out.read_bytes())

    def test_missing_font_names_the_package(self):
        with tempfile.TemporaryDirectory() as empty:
            result = run_script(Path(empty) / "fonts.css", "--font-dir", empty)
        self.assertNotEqual(result.returncode, 0)
        for face in make_fonts.FACES:
            self.assertIn(f"{face.file_name} not found", result.stderr)
            self.assertIn(face.package, result.stderr)


if __name__ == "__main__":
    unittest.main()
