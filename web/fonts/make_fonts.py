#!/usr/bin/python3
"""Writes the web page's fonts.css: the three faces the window is drawn in, subset and inlined.

The Linux window draws Arial and MS Sans Serif with Liberation Sans, Courier New with
Liberation Mono and Arial Black with Roboto Black. The page must measure text exactly as the
window does, so it embeds the same Debian font files rather than trusting whatever the
browser has: outlines and advance widths are kept, everything else the page cannot use goes.

Liberation carries the Reserved Font Name "Liberation" under the SIL OFL 1.1, so a subset
may not be called that; all three faces are renamed to the names the page's CSS asks for.

Run with Debian's /usr/bin/python3 (python3-fonttools, python3-brotli):
    web/fonts/make_fonts.py --out build-web/fonts.css
"""

import argparse
import base64
import dataclasses
import gzip
import io
import sys
from pathlib import Path

try:
    from fontTools import subset
    from fontTools.ttLib import TTFont
except ImportError:
    sys.exit("make_fonts.py: fontTools is missing; install the Debian package python3-fonttools")
try:
    import brotli  # noqa: F401  (fontTools needs it to write woff2)
except ImportError:
    sys.exit("make_fonts.py: brotli is missing; install the Debian package python3-brotli")


@dataclasses.dataclass(frozen=True)
class Face:
    family: str  # the name the page's CSS uses
    file_name: str  # as Debian installs it
    package: str
    licence: str  # must appear in the source's licence record (name ID 13)
    licence_file: str
    # The characters it is cut to; None for Latin, Cyrillic and the answer boxes' signs.
    only: str | None = None


# The verdicts are the only text ever drawn in the black face, so it keeps only their letters:
# the page stays within its size for a pupil's phone.
VERDICTS = "Правильно! Неправильно!"

FACES = (
    Face("Drill Sans", "LiberationSans-Bold.ttf", "fonts-liberation2",
         "SIL Open Font License", "LICENSE-OFL.txt"),
    Face("Drill Mono", "LiberationMono-Bold.ttf", "fonts-liberation2",
         "SIL Open Font License", "LICENSE-OFL.txt"),
    Face("Drill Black", "Roboto-Black.ttf", "fonts-roboto-unhinted",
         "Apache License", "LICENSE-Apache-2.0.txt", only=VERDICTS),
)


def _ranges(*spans):
    return [c for first, last in spans for c in range(first, last + 1)]


# Basic Latin and Cyrillic, plus what a pupil may paste into an answer box: the answer
# reader takes every dash, minus, plus, thin or no-break space and full-width digit it
# knows, and a copied equation may bring a superscript two or a middle dot.
CODEPOINTS = (
    _ranges((0x20, 0x7E), (0x400, 0x45F), (0xFF10, 0xFF19))
    + [0xA0, 0xB2, 0xB7, 0x2009, 0x2010, 0x2012, 0x2013, 0x2014, 0x202F, 0x2212,
       0xFE62, 0xFE63, 0xFF0B, 0xFF0C, 0xFF0D, 0xFF0E]
)

# The features a shaper (the desktop's and the browser's alike) applies to plain horizontal
# text without being asked; the rest (small caps, fractions, ...) the page never turns on.
LAYOUT_FEATURES = ["ccmp", "locl", "rlig", "calt", "clig", "liga", "kern", "mark", "mkmk",
                   "rvrn"]

# Name IDs that say what the face is called. The renamed face is a family of one, so the
# typographic and variation names would only repeat 1 and 2 (or still say the old name).
DROPPED_NAME_IDS = {7, 16, 17, 18, 21, 22, 25}


class MissingFont(Exception):
    pass


def find_source(face, font_dirs):
    """The installed file for face, checked to be the release whose licence we ship."""
    found = sorted(p for d in font_dirs for p in Path(d).rglob(face.file_name))
    for path in found:
        with TTFont(path, lazy=True) as font:
            licence = font["name"].getDebugName(13) or ""
        if face.licence in licence:
            return path
    if found:
        # fonts-liberation 1.x has the same file names under another licence.
        raise MissingFont(
            f"{face.file_name} found only under a licence other than the {face.licence} "
            f"({', '.join(map(str, found))}); install the Debian package {face.package}")
    raise MissingFont(
        f"{face.file_name} not found under {', '.join(map(str, font_dirs))}; "
        f"install the Debian package {face.package}")


def _subset_options(source):
    options = subset.Options()
    options.hinting = False
    options.layout_features = LAYOUT_FEATURES
    # GPOS kerning is what browsers use; the old 'kern' table is kept only for a face
    # that has no other kerning.
    gpos_kerns = "GPOS" in source and any(
        record.FeatureTag == "kern"
        for record in source["GPOS"].table.FeatureList.FeatureRecord)
    options.legacy_kern = "kern" in source and not gpos_kerns
    options.notdef_outline = True  # a character outside the subset shows as a box
    options.glyph_names = False
    options.name_IDs = ["*"]
    options.name_legacy = False  # the Macintosh records only repeat the Windows ones
    options.name_languages = [0x409]
    options.drop_tables += ["FFTM"]  # FontForge's own build dates
    return options


def version_of(font):
    return (font["name"].getDebugName(5) or "").removeprefix("Version ").split(";")[0]


def rename(font, face, original):
    names = font["name"]
    subfamily = names.getDebugName(2)
    version = version_of(font)
    full_name = face.family if subfamily == "Regular" else f"{face.family} {subfamily}"
    names.names = [r for r in names.names if r.nameID not in DROPPED_NAME_IDS]
    for name_id, text in (
        (1, face.family),
        (3, f"{full_name};{version};roots-drill subset"),
        (4, full_name),
        (6, f"{face.family.replace(' ', '')}-{subfamily.replace(' ', '')}"),
        (10, f"Renamed subset of {original} from the Debian package {face.package}, "
             f"made for roots-drill's web page: Latin, Cyrillic and a few signs, "
             f"or only the text the page draws in it; "
             f"outlines and advance widths unchanged, hinting removed."),
    ):
        names.setName(text, name_id, 3, 1, 0x409)


def build_face(face, path):
    # Timestamps stay those of the source, so the same input gives the same bytes.
    with TTFont(path, recalcTimestamp=False) as font:
        original = f'{font["name"].getDebugName(4)} {version_of(font)}'
        cmap = font.getBestCmap()
        codepoints = sorted({ord(c) for c in face.only}) if face.only else CODEPOINTS
        wanted = [c for c in codepoints if c in cmap]
        missing = [c for c in codepoints if c not in cmap]
        subsetter = subset.Subsetter(_subset_options(font))
        subsetter.populate(unicodes=wanted)
        subsetter.subset(font)
        rename(font, face, original)
        font.flavor = "woff2"
        out = io.BytesIO()
        font.save(out)
    return out.getvalue(), missing, font, original


def css_rule(face, font, original, woff2):
    names = font["name"]
    notice = " ".join(names.getDebugName(0).split())
    weight = font["OS/2"].usWeightClass
    data = base64.b64encode(woff2).decode("ascii")
    return (f"/* {face.family}: renamed subset of {original}. {notice} "
            f"{names.getDebugName(13)}; see {face.licence_file}. */\n"
            f"@font-face {{\n"
            f'  font-family: "{face.family}";\n'
            f"  font-style: normal;\n"
            f"  font-weight: {weight};\n"
            f"  font-display: block;\n"
            f'  src: url("data:font/woff2;base64,{data}") format("woff2");\n'
            f"}}\n")


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--out", required=True, type=Path, help="the CSS file to write")
    parser.add_argument("--font-dir", action="append", type=Path,
                        help="where to look for the fonts (default /usr/share/fonts)")
    parser.add_argument("--report", action="store_true",
                        help="also list each face's source and the characters it lacks")
    args = parser.parse_args(argv)
    font_dirs = args.font_dir or [Path("/usr/share/fonts")]

    sources, problems = [], []
    for face in FACES:
        try:
            sources.append((face, find_source(face, font_dirs)))
        except MissingFont as error:
            problems.append(str(error))
    if problems:
        sys.exit("make_fonts.py: " + "\nmake_fonts.py: ".join(problems))

    rules = []
    for face, path in sources:
        woff2, missing, font, original = build_face(face, path)
        rules.append(css_rule(face, font, original, woff2))
        print(f"{face.family}: {len(woff2)} bytes woff2, "
              f"{len(font.getGlyphOrder())} glyphs", file=sys.stderr)
        if args.report:
            print(f"  from {path}", file=sys.stderr)
            print("  not in the font: "
                  + (" ".join(f"U+{c:04X}" for c in missing) or "none"), file=sys.stderr)
    css = "".join(rules).encode("ascii")
    args.out.parent.mkdir(parents=True, exist_ok=True)
    args.out.write_bytes(css)
    print(f"{args.out}: {len(css)} bytes, "
          f"{len(gzip.compress(css, 9, mtime=0))} gzipped", file=sys.stderr)


if __name__ == "__main__":
    main()
