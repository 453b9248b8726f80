#!/usr/bin/python3
"""The page's code as the oldest browsers it is for (Safari 12, Chrome 70, Firefox 68) read it,
without a browser: every script parses at the JavaScript they all have, and the program
validates with the WebAssembly they all have.

- The shell's own scripts parse as ES5: the first of them says that the drill cannot start, and
  must say it even in a browser of the ES5 days. Emscripten's runtime and the hosted site's
  service worker parse as ES2017, the last edition all three have whole (Safari 16.4 and
  Firefox 78 were the first with all of ES2018, its look-behind in regular expressions).
- The program (the page's embedded .wasm) validates with every WebAssembly feature after the
  first version switched off (wabt's wasm-validate), and no function it shares with JavaScript
  takes or returns a 64-bit integer, which only a browser with BigInt integration passes
  (Safari 14.1).

The parser is acorn, Debian's node-acorn, run by Debian's node.
"""

import json
import os
import re
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

sys.dont_write_bytecode = True  # no __pycache__ in the source tree

from embedded_program import find as find_program, leb  # noqa: E402

ROOT = Path(__file__).resolve().parents[2]
PAGE = Path(os.environ.get("ROOTS_DRILL_PAGE", ROOT / "build-web" / "roots-drill.html"))
SITE = Path(os.environ.get("ROOTS_DRILL_SITE", PAGE.parent / "site"))
NODE = "/usr/bin/node"
NODE_MODULES = "/usr/share/nodejs"  # node-acorn

# WebAssembly's features after its first version, as wasm-validate names them: each came after
# one of the oldest browsers (web/README.md has the versions).
WASM_FEATURES_LACKED = ("mutable-globals", "saturating-float-to-int", "sign-extension", "simd",
                        "multi-value", "bulk-memory", "reference-types")

PARSE = """
const acorn = require("acorn");
const results = [];
for (const script of JSON.parse(require("fs").readFileSync(0, "utf8"))) {
  try {
    acorn.parse(script.source, {ecmaVersion: script.level, sourceType: "script"});
    results.push(null);
  } catch (error) {
    results.push(error.message + " in: " +
                 script.source.split("\\n")[error.loc.line - 1].trim().slice(0, 120));
  }
}
console.log(JSON.stringify(results));
"""


def parse_errors(scripts):
    """For each {name, source, level}, None or where acorn stopped."""
    done = subprocess.run([NODE, "-e", PARSE], input=json.dumps(scripts), capture_output=True,
                          text=True, check=True, env=dict(os.environ, NODE_PATH=NODE_MODULES))
    return json.loads(done.stdout)


def page_scripts(html):
    """The page's inline scripts: (is it Emscripten's runtime, its source)."""
    scripts = re.findall(r"<script>(.*?)</script>", html, re.S)
    return [("var createDrill =" in source, source) for source in scripts]


def program(html):
    return find_program(html)[1]


def name(data, at):
    length, at = leb(data, at)
    return data[at:at + length].decode(), at + length


def shared_signatures(wasm):
    """The signatures (parameters, results, as value type bytes) of the functions the program
    imports from JavaScript and exports to it."""
    types, imported, declared, exported = [], [], [], []
    at = 8
    while at < len(wasm):
        section, at = wasm[at], at + 1
        size, at = leb(wasm, at)
        end = at + size
        if section in (1, 2, 3, 7):
            count, cursor = leb(wasm, at)
            for _ in range(count):
                if section == 1:  # type: 0x60, parameters, results
                    params, cursor = leb(wasm, cursor + 1)
                    parameters, cursor = wasm[cursor:cursor + params], cursor + params
                    results, cursor = leb(wasm, cursor)
                    types.append((parameters, wasm[cursor:cursor + results]))
                    cursor += results
                elif section == 2:  # import: module, field, kind, description
                    _, cursor = name(wasm, cursor)
                    _, cursor = name(wasm, cursor)
                    kind, cursor = wasm[cursor], cursor + 1
                    if kind == 0:
                        index, cursor = leb(wasm, cursor)
                        imported.append(index)
                    elif kind == 1:  # table: type, limits
                        flags = wasm[cursor + 1]
                        _, cursor = leb(wasm, cursor + 2)
                        if flags & 1:
                            _, cursor = leb(wasm, cursor)
                    elif kind == 2:  # memory: limits
                        flags = wasm[cursor]
                        _, cursor = leb(wasm, cursor + 1)
                        if flags & 1:
                            _, cursor = leb(wasm, cursor)
                    else:  # global: type, mutability
                        cursor += 2
                elif section == 3:  # function: its type
                    index, cursor = leb(wasm, cursor)
                    declared.append(index)
                else:  # export: field, kind, index
                    _, cursor = name(wasm, cursor)
                    kind, cursor = wasm[cursor], cursor + 1
                    index, cursor = leb(wasm, cursor)
                    if kind == 0:
                        exported.append(index)
        at = end
    functions = imported + declared
    return [types[index] for index in imported] + [types[functions[i]] for i in exported]


class OldestBrowsersRead(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        if not PAGE.is_file():
            raise FileNotFoundError(f"{PAGE} is not built: make web")
        cls.html = PAGE.read_text(encoding="utf-8")

    def test_scripts_parse_at_the_oldest_browsers_javascript(self):
        scripts = [{"name": "Emscripten's runtime" if runtime else f"the shell's script {i}",
                    "source": source, "level": 2017 if runtime else 5}
                   for i, (runtime, source) in enumerate(page_scripts(self.html))]
        self.assertEqual(sum(s["level"] == 2017 for s in scripts), 1, "no runtime found")
        self.assertGreaterEqual(len(scripts), 4)
        site = (SITE / "index.html").read_text(encoding="utf-8")
        scripts += [{"name": "site/index.html's script " + str(i), "source": source, "level": 5}
                    for i, (runtime, source) in enumerate(page_scripts(site)) if not runtime
                    and source not in self.html]
        scripts.append({"name": "site/sw.js", "level": 2017,
                        "source": (SITE / "sw.js").read_text(encoding="utf-8")})
        for script, error in zip(scripts, parse_errors(scripts)):
            with self.subTest(script["name"], level=script["level"]):
                self.assertIsNone(error)

    def test_program_validates_without_later_webassembly(self):
        wasm = program(self.html)
        with tempfile.NamedTemporaryFile(suffix=".wasm") as file:
            file.write(wasm)
            file.flush()
            flags = ["--disable-" + feature for feature in WASM_FEATURES_LACKED]
            done = subprocess.run(["wasm-validate", *flags, file.name], capture_output=True,
                                  text=True)
        self.assertEqual(done.returncode, 0, done.stderr)
        signatures = shared_signatures(wasm)
        self.assertGreater(len(signatures), 0, "no function shared with JavaScript found")
        i64 = 0x7E
        for parameters, results in signatures:
            self.assertNotIn(i64, parameters + results, "a 64-bit integer crosses to JavaScript")


if __name__ == "__main__":
    unittest.main(verbosity=2)
