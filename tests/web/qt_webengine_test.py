#!/usr/bin/python3
"""An old engine for real: Debian's Qt 5 WebEngine, whose Chromium is version 87 (older than
'wasm-unsafe-eval', TextMetrics' font box or globalThis' absence matter to it), opens the page
from disk and a task is solved by keys, as a pupil's old Chromebook would. With WebAssembly taken
away by V8's own switch (--noexpose-wasm), the same engine shows the notice in place of Start.

Each case runs in a QtWebEngine process of its own (the engine's switches are read once), under
the display it is given (xvfb-run -a in the tests).
"""

import json
import os
import re
import subprocess
import sys
import unittest
from pathlib import Path

sys.dont_write_bytecode = True

ROOT = Path(__file__).resolve().parents[2]
PAGE = Path(os.environ.get("ROOTS_DRILL_PAGE", ROOT / "build-web" / "roots-drill.html"))
CORRECT = "Правильно!"

# The side that runs in QtWebEngine's process: it prints one JSON line of what it saw.
DRIVER = r"""
import json, sys
from PyQt5.QtCore import Qt, QTimer, QUrl
from PyQt5.QtTest import QTest
from PyQt5.QtWidgets import QApplication
from PyQt5.QtWebEngineWidgets import QWebEnginePage, QWebEngineView

app = QApplication(sys.argv[:1])
console = []

class Page(QWebEnginePage):
    def javaScriptConsoleMessage(self, level, message, line, source):
        console.append([int(level), message])

view = QWebEngineView()
view.setPage(Page(view))
view.resize(792, 568)
view.show()
seen = {"console": console}

def run(script, then):
    view.page().runJavaScript(script, then)

def keys(*typed):
    target = view.focusProxy() or view
    for each in typed:
        if each == "\n":
            QTest.keyClick(target, Qt.Key_Return)
        else:
            QTest.keyClicks(target, each)

def finish():
    print(json.dumps(seen))
    app.quit()

STATE = ("[performance.getEntriesByName('roots-drill-ready').length > 0,"
         " !document.getElementById('CannotStart').hidden, navigator.userAgent,"
         " document.getElementById('Lblb').textContent, document.getElementById('Lblc').textContent,"
         " document.getElementById('Label12').textContent, document.activeElement.id]")

def wait(condition, then):  # then(state) once condition(state) holds, or after 10 s
    tries = []
    def check(state):
        tries.append(1)
        if condition(state) or len(tries) > 200:
            then(state)
        else:
            QTimer.singleShot(50, lambda: run(STATE, check))
    run(STATE, check)

def started(state):
    seen.update(ready=state[0], notice=state[1], agent=state[2])
    if not state[0]:
        finish()
        return
    view.setFocus()
    keys("\n")  # Start
    wait(lambda s: s[6] == "Text4", solve)

def solve(state):
    p, q = (int(term + "1" if term in ("+", "-") else term) for term in state[3:5])
    roots = [x for x in range(-9, 10) if x != 0 and x * x + p * x + q == 0]
    seen["roots"] = roots
    keys(str(roots[0]), "\n", str(roots[-1]), "\n")
    wait(lambda s: s[5] != "", solved)

def solved(state):
    seen["verdict"] = state[5]
    finish()

view.loadFinished.connect(lambda ok: wait(lambda s: s[0] or s[1], started))
view.load(QUrl.fromLocalFile(sys.argv[1]))
QTimer.singleShot(30000, finish)
app.exec_()
"""


def open_in_qt(flags=""):
    environment = dict(os.environ, QTWEBENGINE_DISABLE_SANDBOX="1",  # the tests run as root
                       QTWEBENGINE_CHROMIUM_FLAGS=("--disable-gpu --no-first-run "
                                                   "--disable-background-networking " + flags))
    done = subprocess.run([sys.executable, "-c", DRIVER, str(PAGE)], capture_output=True,
                          text=True, timeout=60, env=environment)
    lines = [line for line in done.stdout.splitlines() if line.startswith("{")]
    if done.returncode != 0 or not lines:
        raise AssertionError(f"QtWebEngine did not report: {done.returncode}\n{done.stderr}")
    return json.loads(lines[-1])


class QtWebEngine87(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        if not PAGE.is_file():
            raise FileNotFoundError(f"{PAGE} is not built: make web")

    def test_solves_a_task_by_keys_in_chromium_87(self):
        seen = open_in_qt()
        version = re.search(r"Chrome/(\d+)", seen["agent"])
        print(f"  (QtWebEngine's {version.group(0)})")
        self.assertLess(int(version.group(1)), 97, "no longer an engine without "
                                                   "'wasm-unsafe-eval'")
        self.assertTrue(seen["ready"], seen["console"])
        self.assertFalse(seen["notice"])
        self.assertEqual(len(seen["roots"]), 2)
        self.assertEqual(seen["verdict"], CORRECT)
        # Warnings and errors (levels 1 and 2): none, not even an unknown keyword of the policy.
        self.assertEqual([each for each in seen["console"] if each[0] > 0], [])

    def test_without_webassembly_shows_the_notice(self):
        seen = open_in_qt("--js-flags=--noexpose-wasm")
        self.assertFalse(seen["ready"])
        self.assertTrue(seen["notice"], seen["console"])


if __name__ == "__main__":
    unittest.main(verbosity=2)
