"""The drill's page in a browser, driven as a pupil would: what the page tests share.

The page under test is ROOTS_DRILL_PAGE (build-web/roots-drill.html by default) and the hosted
folder ROOTS_DRILL_SITE (the site/ beside it). ROOTS_DRILL_BROWSER picks the engine:

  chromium  Debian's headless Chromium through its chromedriver (the default);
  firefox   Debian's Firefox ESR, headless, over WebDriver BiDi (bidi.py: Debian has no
            geckodriver);
  webkit    WebKitGTK's MiniBrowser through Debian's WebKitWebDriver, under Xvfb.

Each driver is named outright, so Selenium never looks for one elsewhere. What an engine cannot
do under automation is in CANNOT: a test that needs it is skipped there, with the reason.
"""

import contextlib
import functools
import http.server
import os
import re
import struct
import sys
import tempfile
import threading
import unittest
import urllib.parse
import warnings
import zlib
from pathlib import Path

sys.dont_write_bytecode = True  # no __pycache__ in the source tree

from selenium import webdriver  # noqa: E402
from selenium.common.exceptions import TimeoutException  # noqa: E402
from selenium.webdriver.chrome.service import Service  # noqa: E402
from selenium.webdriver.webkitgtk.options import Options as WebKitOptions  # noqa: E402
from selenium.webdriver.common.action_chains import ActionChains  # noqa: E402
from selenium.webdriver.common.keys import Keys  # noqa: E402
from selenium.webdriver.support.wait import WebDriverWait  # noqa: E402

ROOT = Path(__file__).resolve().parents[2]
PAGE = Path(os.environ.get("ROOTS_DRILL_PAGE", ROOT / "build-web" / "roots-drill.html"))
SITE = Path(os.environ.get("ROOTS_DRILL_SITE", PAGE.parent / "site"))

ENGINE = os.environ.get("ROOTS_DRILL_BROWSER", "chromium")
ENGINES = ("chromium", "firefox", "webkit")
if ENGINE not in ENGINES:
    raise SystemExit(f"ROOTS_DRILL_BROWSER is {ENGINE!r}, not one of {', '.join(ENGINES)}")

CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = "/usr/bin/chromedriver"
CHROMIUM_FLAGS = ["--headless=new", "--no-sandbox", "--disable-gpu", "--no-first-run",
                  "--disable-background-networking", "--disable-component-update",
                  "--disable-sync"]
WEBKIT_BROWSER = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"
WEBKIT_DRIVER = "/usr/bin/WebKitWebDriver"

# What an engine cannot do under automation, and why.
CANNOT = {
    "firefox": {
        "devtools": "Firefox is driven over WebDriver BiDi here, which has no DevTools protocol "
                    "(accessibility tree, network log, emulated media and devices)",
        "touch": "Firefox emulates no touch screen and no coarse pointer under automation",
    },
    "webkit": {
        "devtools": "WebKitWebDriver has no DevTools protocol (accessibility tree, network log, "
                    "emulated media and devices)",
        "touch": "WebKitWebDriver emulates no touch screen and no coarse pointer",
        "console": "WebKitWebDriver does not give the console's messages",
    },
}


def needs(*abilities):
    """Skips a test, or a class of them, in an engine that cannot do one of `abilities` under
    automation, printing the reason."""
    missing = [CANNOT.get(ENGINE, {})[a] for a in abilities if a in CANNOT.get(ENGINE, {})]
    return unittest.skipIf(bool(missing), f"{ENGINE}: " + "; ".join(missing))


# The window's client area in CSS pixels at scale 1, and twips to a CSS pixel.
DESIGN_WIDTH, DESIGN_HEIGHT = 792, 568
TWIPS_PER_PX = 15
TITLE = "Корни квадратного уравнения — устный счёт"
CORRECT, WRONG = "Правильно!", "Неправильно!"
PHONE = {"width": 390, "height": 844, "pixelRatio": 3.0, "touch": True}

# The page's C++ clock reads performance.now on every call. Before any of the page's scripts
# runs, the test takes that clock over: it can be frozen, so that only the test moves it, and
# raised, so that the Next button's double-click guard and the stopwatch see time pass at once.
CLOCK_SCRIPT = """
(() => {
  const real = performance.now.bind(performance);
  let offset = 0, frozenAt = null;
  performance.now = () => (frozenAt === null ? real() : frozenAt) + offset;
  Object.defineProperty(window, "testClock", { value: Object.freeze({
    raise(ms) { offset += ms; },
    freeze() { if (frozenAt === null) frozenAt = real(); },
  }) });
})();
"""

STATE_SCRIPT = """
const state = { focus: document.activeElement ? document.activeElement.id : "" };
for (const name of arguments[0]) {
  const e = document.getElementById(name);
  state[name] = e === null ? null : { text: e.tagName === "INPUT" ? e.value : e.textContent,
                                      shown: !e.hidden, enabled: !e.disabled };
}
return state;
"""

FIT_SCRIPT = """
const root = document.documentElement, box = document.getElementById("Form1")
    .getBoundingClientRect();
return {left: box.left, top: box.top, width: box.width, height: box.height,
        clientWidth: root.clientWidth, clientHeight: root.clientHeight,
        scrollWidth: root.scrollWidth, scrollHeight: root.scrollHeight,
        bodyScrollWidth: document.body.scrollWidth, bodyScrollHeight: document.body.scrollHeight};
"""


# The controls a pupil reads from: counters, boxes, verdict, buttons, stopwatches, equation.
WATCHED = ["Text1", "Text2", "Text3", "Text4", "Text5", "Label12", "Command1", "Command2",
           "Command3", "Lblb", "Lblc", "Label4", "Label6", "Label14", "Label16", "Label19",
           "Label21"]


def check_page_built():
    if not PAGE.is_file():
        raise FileNotFoundError(f"{PAGE} is not built: make web")


def start_browser(mobile=None, performance_log=False, wasm=True):
    """A fresh browser of the engine under test with its own profile, the test's clock in every
    page it opens; `mobile` is ChromeDriver's deviceMetrics for a phone (Chromium only), and
    wasm=False switches WebAssembly off as each engine can. Otherwise the viewport is the
    window's client area at one device pixel to a CSS pixel: the page at scale 1."""
    if ENGINE == "firefox":
        import bidi  # noqa: E402  (only Firefox needs it)
        driver = bidi.Firefox({} if wasm else {"javascript.options.wasm": False})
        driver.add_preload_script(CLOCK_SCRIPT)
    elif ENGINE == "webkit":
        options = WebKitOptions()
        options.binary_location = WEBKIT_BROWSER
        options.add_argument("--automation")
        options.add_argument("--javascript-can-access-clipboard=true")
        environment = dict(os.environ)
        if not wasm:  # JavaScriptCore's options come from the environment of its process
            os.environ["JSC_useWasm"] = "false"
        try:
            with warnings.catch_warnings():  # Selenium 4.8's WebKitGTK driver warns of itself
                warnings.simplefilter("ignore", DeprecationWarning)
                driver = webdriver.WebKitGTK(executable_path=WEBKIT_DRIVER, options=options)
        finally:
            os.environ.clear()
            os.environ.update(environment)
        # The copies of pages the test's scripts go into (Page.open).
        driver.roots_drill_copies = tempfile.TemporaryDirectory(prefix="roots-drill-webkit-")
    else:
        driver = start_chromium(mobile, performance_log,
                                flags=() if wasm else ["--js-flags=--jitless"])
    if not mobile:
        set_viewport(driver, DESIGN_WIDTH, DESIGN_HEIGHT)
    return driver


def start_chromium(mobile=None, performance_log=False, flags=()):
    options = webdriver.ChromeOptions()
    options.binary_location = CHROMIUM
    for flag in CHROMIUM_FLAGS + list(flags):
        options.add_argument(flag)
    profile = tempfile.TemporaryDirectory(prefix="roots-drill-chromium-")
    options.add_argument("--user-data-dir=" + profile.name)
    options.add_argument("--lang=ru")
    logs = {"browser": "ALL"}
    if performance_log:
        logs["performance"] = "ALL"
    options.set_capability("goog:loggingPrefs", logs)
    if mobile:
        options.add_experimental_option("mobileEmulation", {"deviceMetrics": mobile})
    driver = webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)
    driver.roots_drill_profile = profile  # removed with the browser
    driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": CLOCK_SCRIPT})
    return driver


def quit_browser(driver):
    driver.quit()
    for kept in ("roots_drill_profile", "roots_drill_copies"):
        if hasattr(driver, kept):
            getattr(driver, kept).cleanup()


def set_viewport(driver, width, height, mobile=False, scale=1):
    """A viewport of width by height CSS pixels at `scale` device pixels to one."""
    if ENGINE == "firefox":
        driver.set_viewport(width, height, scale)
    elif ENGINE == "webkit":
        # The window's own size: the viewport is what its toolbar leaves, measured once. One
        # resize, so that the page sees no size on the way.
        if mobile or scale != 1:
            raise AssertionError("WebKitWebDriver emulates no phone")
        if not hasattr(driver, "roots_drill_toolbar"):
            outer = driver.get_window_size()
            inner = driver.execute_script("return [innerWidth, innerHeight]")
            driver.roots_drill_toolbar = (outer["width"] - inner[0], outer["height"] - inner[1])
        driver.set_window_size(width + driver.roots_drill_toolbar[0],
                               height + driver.roots_drill_toolbar[1])
        inner = driver.execute_script("return [innerWidth, innerHeight]")
        if inner != [width, height]:
            raise unittest.SkipTest(f"webkit: MiniBrowser's window takes no viewport of {width} "
                                    f"by {height}, only {inner[0]} by {inner[1]}")
    else:
        driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": width, "height": height, "deviceScaleFactor": scale, "mobile": mobile})


def resize_window(driver, width, height):
    """The browser's window itself made width by height, rather than an emulated screen."""
    if ENGINE == "chromium":
        driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})
        driver.set_window_size(width, height)
    else:
        set_viewport(driver, width, height)


class Page:
    """The page in one browser, with what a test does to it and reads from it."""

    def __init__(self, driver):
        self.driver = driver

    # Loading.
    def open(self, url=None, before=None, ready=True):
        """Loads the page (from disk unless url says otherwise), waits until it is ready unless
        told not to, and stops its clock. `before` is a script run before any of the page's own:
        it is taken away again once the page has loaded."""
        self.load(url or PAGE.as_uri(), before)
        if not ready:
            return
        self.wait_ready()
        self.js("if (window.testClock) testClock.freeze()")

    def load(self, url, before=None):
        if ENGINE == "chromium":
            added = before and self.cdp("Page.addScriptToEvaluateOnNewDocument",
                                        {"source": before})["identifier"]
            try:
                self.driver.get(url)
            finally:
                if added:
                    self.cdp("Page.removeScriptToEvaluateOnNewDocument", {"identifier": added})
        elif ENGINE == "firefox":
            added = before and self.driver.add_preload_script(before)
            try:
                self.driver.get(url)
            finally:
                if added:
                    self.driver.remove_preload_script(added)
        else:
            self.driver.get(self.webkit_copy(url, before))

    def webkit_copy(self, url, before):
        """WebKitWebDriver runs no script before the page's own: a page from disk is loaded as a
        copy with the test's clock, and `before`, first in its head. One from a server is loaded
        as it is, without them."""
        if not url.startswith("file:"):
            if before:
                raise AssertionError(f"WebKit: no script can run before the page at {url}")
            return url
        source = Path(urllib.parse.unquote(urllib.parse.urlsplit(url).path))
        page = source.read_text(encoding="utf-8")
        scripts = "<script>" + CLOCK_SCRIPT + (before or "") + "</script>"
        copy = Path(self.driver.roots_drill_copies.name) / source.name
        copy.write_text(page.replace("<head>", "<head>" + scripts, 1), encoding="utf-8")
        return copy.as_uri()

    def wait_ready(self, timeout=20):
        try:
            self.wait_for("return performance.getEntriesByName('roots-drill-ready').length > 0",
                          timeout=timeout)
        except TimeoutException:
            where = self.js("return [location.href, document.readyState, document.title]")
            raise AssertionError(f"the page never reached its ready mark: {where}, console: "
                                 f"{self.driver.get_log('browser')}") from None

    # Reading.
    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def js_async(self, script, *args):
        """Runs script with `done` as the callback that ends it."""
        return self.driver.execute_async_script(
            "const done = arguments[arguments.length - 1];\n" + script, *args)

    def wait_for(self, script, *args, timeout=5, message=""):
        return WebDriverWait(self.driver, timeout, poll_frequency=0.02).until(
            lambda _: self.js(script, *args), message)

    def state(self, names=WATCHED):
        return self.js(STATE_SCRIPT, list(names))

    def text(self, name):
        return self.state([name])[name]["text"]

    def focus(self):
        return self.state([])["focus"]

    def equation(self):
        """p and q as the row shows them."""
        shown = self.state(["Lblb", "Lblc"])
        return term(shown["Lblb"]["text"]), term(shown["Lblc"]["text"])

    def roots(self):
        return solve(*self.equation())

    def centre(self, name):
        """The middle of the control in the viewport, in CSS pixels."""
        return self.js("const box = document.getElementById(arguments[0])"
                       ".getBoundingClientRect();"
                       "return [box.left + box.width / 2, box.top + box.height / 2];", name)

    # Acting.
    def keys(self, *keys):
        """Keys to the element with the focus, as typed on a keyboard, in one round trip."""
        chain = ActionChains(self.driver)
        for key in keys:
            chain.send_keys(key)
        chain.perform()

    def ctrl(self, letter):
        ActionChains(self.driver).key_down(Keys.CONTROL).send_keys(letter) \
            .key_up(Keys.CONTROL).perform()

    def click(self, name):
        """A mouse click at the middle of the control."""
        ActionChains(self.driver, duration=0).move_to_element(
            self.driver.find_element("id", name)).click().perform()

    def tap(self, name, times=1):
        """A finger's tap at the middle of the control; `times` taps there in a row."""
        x, y = self.centre(name)
        for _ in range(times):
            self.cdp("Input.dispatchTouchEvent", {"type": "touchStart",
                                                  "touchPoints": [{"x": x, "y": y}]})
            self.cdp("Input.dispatchTouchEvent", {"type": "touchEnd", "touchPoints": []})

    def raise_clock(self, ms):
        self.js("testClock.raise(arguments[0])", ms)

    def past_next_guard(self):
        """Lets the double-click interval after Next appeared go by, on the page's clock."""
        self.raise_clock(600)

    def cdp(self, command, params=None):
        if ENGINE != "chromium":
            raise AssertionError(f"{ENGINE}: {command} needs the DevTools protocol; "
                                 f"mark the test with needs('devtools')")
        return self.driver.execute_cdp_cmd(command, params or {})

    def turn_screen(self, width, height, orientation):
        """Emulates a phone's screen at width x height held in orientation, and returns once the
        page has handled the resize: a listener added after the page's own runs after it."""
        self.js("window.handledSize = [document.documentElement.clientWidth,"
                " document.documentElement.clientHeight];"
                "addEventListener('resize', () => { window.handledSize = ["
                "document.documentElement.clientWidth, document.documentElement.clientHeight]; });")
        self.cdp("Emulation.setDeviceMetricsOverride", {
            "width": width, "height": height, "deviceScaleFactor": 3, "mobile": True,
            "screenOrientation": {"type": orientation, "angle": 0 if width < height else 90}})
        self.wait_for("return window.handledSize[0] === arguments[0] &&"
                      " window.handledSize[1] === arguments[1]", width, height, timeout=3,
                      message="the page never handled the resize")

    def accessibility(self, names):
        """The node a screen reader gets for each named element, from the full accessibility
        tree: {name: node}, None for an element the tree leaves out."""
        tree = {node.get("backendDOMNodeId"): node
                for node in self.cdp("Accessibility.getFullAXTree")["nodes"]}
        root = self.cdp("DOM.getDocument", {"depth": 0})["root"]["nodeId"]
        found = {}
        for name in names:
            node = self.cdp("DOM.querySelector", {"nodeId": root, "selector": "#" + name})
            backend = self.cdp("DOM.describeNode", node)["node"]["backendNodeId"]
            found[name] = tree.get(backend)
        return found

    def paste_by_keys(self, text):
        """Puts text on the system clipboard and pastes it with Ctrl+V."""
        result = self.js_async("navigator.clipboard.writeText(arguments[0])"
                               ".then(() => navigator.clipboard.readText())"
                               ".then((kept) => done({kept}), (e) => done(String(e)));", text)
        if not isinstance(result, dict):
            raise AssertionError("the clipboard took no text: " + result)
        if result["kept"] != text:
            raise unittest.SkipTest(f"{ENGINE}: the clipboard keeps {result['kept']!r} of "
                                    f"{text!r}, so the page never sees what is to be pasted")
        self.ctrl("v")

    def console_problems(self):
        """The console's warnings and errors since last asked; None where the engine does not
        give them."""
        if "console" in CANNOT.get(ENGINE, {}):
            return None
        return [entry for entry in self.driver.get_log("browser")
                if entry["level"] in ("WARNING", "SEVERE")]


def ax_value(node, field):
    """A field of an accessibility node ("name", "role") or one of its properties ("live")."""
    if field in node:
        return node[field].get("value")
    for each in node.get("properties", []):
        if each["name"] == field:
            return each["value"].get("value")
    return None


def term(caption):
    """The number a term of the equation row shows: "+5", "+" (1), "-" (-1), "-9"."""
    match = re.fullmatch(r"([+-])(\d*)", caption)
    if not match:
        raise AssertionError(f"{caption!r} is no term of the equation")
    magnitude = int(match.group(2)) if match.group(2) else 1
    return magnitude if match.group(1) == "+" else -magnitude


def solve(p, q):
    """The roots of x² + p·x + q = 0 as a pupil finds them: two distinct whole numbers, neither
    zero, both from -9 to 9 (in ascending order)."""
    found = [x for x in range(-9, 10) if x != 0 and x * x + p * x + q == 0]
    if len(found) != 2 or found[0] + found[1] != -p or found[0] * found[1] != q:
        raise AssertionError(f"x² + {p}x + {q} = 0 has no two whole roots in -9..9: {found}")
    return found


def spoken_equation(p, q):
    """The words a screen reader says for the equation: "x в квадрате минус 9 x плюс 14 равно
    нулю"; a p of ±1 is said without its digit, as the row shows it."""
    sign = lambda value: "минус" if value < 0 else "плюс"  # noqa: E731
    p_words = sign(p) + ("" if abs(p) == 1 else f" {abs(p)}")
    return f"x в квадрате {p_words} x {sign(q)} {abs(q)} равно нулю"


# The control table of form/control_table.cpp, read from the source as the compiler reads it.
class Row:
    def __init__(self, **fields):
        self.__dict__.update(fields)

    def __repr__(self):
        return f"Row({self.name})"


@functools.lru_cache(maxsize=None)
def control_table():
    """Every row of the table, front to back, with its box in twips, caption, colours, flags."""
    source = (ROOT / "form" / "control_table.cpp").read_text(encoding="utf-8")
    constants = dict(re.findall(r"constexpr (?:Parent|Align|Rgb) (\w+) = ([\w:]+);", source))
    row = re.compile(
        r'^\{"(?P<name>\w+)",\s*(?P<kind>\w+),\s*(?P<parent>\w+),\s*(?P<left>-?\d+),\s*'
        r'(?P<top>-?\d+),\s*(?P<width>\d+),\s*(?P<height>\d+),\s*"(?P<caption>[^"]*)",\s*'
        r'(?P<font>\{[^}]*\}|\w+),\s*(?P<text>\w+),\s*(?P<back>\w+),\s*(?P<align>\w+),\s*'
        r'(?P<flags>[\w|\s]+?),\s*(?P<tab>-?\d+)(?:,\s*(?P<interval>\d+))?'
        r'(?:,\s*(?P<line>\d+))?\}', re.M)
    rows = []
    for match in row.finditer(source):
        fields = match.groupdict()
        for number in ("left", "top", "width", "height", "tab", "interval", "line"):
            fields[number] = int(fields[number] or 0)
        for colour in ("text", "back"):
            value = constants.get(fields[colour], fields[colour])
            fields[colour] = None if value == "kSystemColour" else int(value, 16)
        fields["parent"] = constants[fields["parent"]].split("::")[1]
        fields["align"] = constants[fields["align"]].split("::")[1]
        fields["flags"] = {flag.strip() for flag in fields["flags"].split("|")} - {"kPlain"}
        rows.append(Row(**fields))
    # A row the pattern missed would silently go unchecked.
    if len(rows) != len(re.findall(r'^\{"\w+",', source, re.M)) or not rows:
        raise AssertionError("form/control_table.cpp: not every row of the table was read")
    return tuple(rows)


def css_colour(rgb):
    return (rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF)


# Screenshots.
class Image:
    """An 8-bit RGB or RGBA PNG, non-interlaced, as Chromium writes its screenshots."""

    def __init__(self, png):
        if png[:8] != b"\x89PNG\r\n\x1a\n":
            raise ValueError("not a PNG")
        position, data = 8, b""
        while position < len(png):
            length, kind = struct.unpack(">I4s", png[position:position + 8])
            chunk = png[position + 8:position + 8 + length]
            if kind == b"IHDR":
                self.width, self.height, depth, colour, _, _, interlace = struct.unpack(
                    ">IIBBBBB", chunk)
                if depth != 8 or colour not in (2, 6) or interlace:
                    raise ValueError(f"PNG of depth {depth}, colour type {colour}")
                self.channels = 3 if colour == 2 else 4
            elif kind == b"IDAT":
                data += chunk
            position += 12 + length
        self.rows = self._unfilter(zlib.decompress(data))

    def _unfilter(self, raw):
        stride, step = self.width * self.channels, self.channels
        rows, previous = [], bytearray(stride)
        for y in range(self.height):
            start = y * (stride + 1)
            kind, line = raw[start], bytearray(raw[start + 1:start + 1 + stride])
            for i in range(stride):
                left = line[i - step] if i >= step else 0
                up = previous[i]
                corner = previous[i - step] if i >= step else 0
                if kind == 1:
                    line[i] = (line[i] + left) & 0xFF
                elif kind == 2:
                    line[i] = (line[i] + up) & 0xFF
                elif kind == 3:
                    line[i] = (line[i] + (left + up) // 2) & 0xFF
                elif kind == 4:
                    guess = left + up - corner
                    a, b, c = abs(guess - left), abs(guess - up), abs(guess - corner)
                    line[i] = (line[i] + (left if a <= b and a <= c else up if b <= c
                                          else corner)) & 0xFF
            rows.append(line)
            previous = line
        return rows

    def pixel(self, x, y):
        at = x * self.channels
        return tuple(self.rows[y][at:at + 3])


def png_size(path):
    """Width and height from a PNG file's header."""
    header = Path(path).read_bytes()[:24]
    if header[:8] != b"\x89PNG\r\n\x1a\n" or header[12:16] != b"IHDR":
        raise AssertionError(f"{path} is no PNG")
    return struct.unpack(">II", header[16:24])


# Serving the page over HTTP.
class _QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


@contextlib.contextmanager
def serve(directory):
    """An HTTP server for `directory` on 127.0.0.1, on a free port, in a thread; yields its
    address, and `stop` ends it early (the page then has no connection)."""
    handler = functools.partial(_QuietHandler, directory=str(directory))
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    thread = threading.Thread(target=server.serve_forever, daemon=True)
    thread.start()
    stopped = []

    def stop():
        if not stopped:
            server.shutdown()
            server.server_close()
            stopped.append(True)

    try:
        yield f"http://127.0.0.1:{server.server_address[1]}/", stop
    finally:
        stop()
        thread.join()


class PageTest(unittest.TestCase):
    """One browser for the whole test class; each test opens the page afresh."""

    mobile = None
    performance_log = False

    @classmethod
    def setUpClass(cls):
        check_page_built()
        cls.driver = start_browser(mobile=cls.mobile, performance_log=cls.performance_log)
        cls.page = Page(cls.driver)

    @classmethod
    def tearDownClass(cls):
        quit_browser(cls.driver)

    def assertFits(self, fit, width, height, room=None):
        """#Form1 as the shell fitted it (FIT_SCRIPT) to a viewport of width by height: whole,
        unscrolled, in proportion, filling one axis of the room the viewport leaves it. Without
        a keypad beside or below it, that room is the viewport, and the window in its middle."""
        self.assertEqual((fit["clientWidth"], fit["clientHeight"]), (width, height))
        self.assertEqual((fit["scrollWidth"], fit["scrollHeight"]), (width, height))
        self.assertLessEqual(fit["bodyScrollWidth"], width)
        self.assertLessEqual(fit["bodyScrollHeight"], height)
        self.assertAlmostEqual(fit["width"] / fit["height"], DESIGN_WIDTH / DESIGN_HEIGHT,
                               places=3)
        self.assertGreaterEqual(fit["left"], -0.04)
        self.assertGreaterEqual(fit["top"], -0.04)
        self.assertLessEqual(fit["left"] + fit["width"], width + 0.04)
        self.assertLessEqual(fit["top"] + fit["height"], height + 0.04)
        room_width, room_height = room or (width, height)
        self.assertTrue(abs(fit["width"] - room_width) < 0.5 or
                        abs(fit["height"] - room_height) < 0.5, (fit, room))
        if room:
            return
        self.assertAlmostEqual(fit["left"] * 2 + fit["width"], width, delta=0.5)
        self.assertAlmostEqual(fit["top"] * 2 + fit["height"], height, delta=0.5)

    def assertNoConsoleProblems(self):
        """No warning or error in the console, where the engine gives its messages."""
        problems = self.page.console_problems()
        if problems is None:
            print(f"  ({ENGINE}: console unchecked: {CANNOT[ENGINE]['console']})",
                  file=sys.stderr)
        else:
            self.assertEqual(problems, [])

    def solve_by_keys(self):
        """Types the shown equation's roots with Return after each: the task's verdict."""
        first, second = self.page.roots()
        self.page.keys(str(first), Keys.RETURN, str(second), Keys.RETURN)
        return self.page.text("Label12")


def run():
    unittest.main(verbosity=2)
