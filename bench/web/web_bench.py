#!/usr/bin/python3
"""The drill's page beside its floor, the same page without its program, in headless Chromium,
at full speed and with the CPU slowed as on a cheap phone.

    bench/web/web_bench.py [--build build-web] [--runs 25] [--keys 3] [--cpu 1,6] [--http]
                           [--cold 0] [--frames vsync]

(`make bench-web` builds the page and runs this; RUNS=N there is --runs.) The environment may set
the other options too: KEYS=N, CPU=1,6, HTTP=1, COLD=N, FRAMES=free.

The floor is the drill's own roots-drill.html with every script taken out: the same markup,
fonts and styles, the window as the load leaves it, with nothing to run it. It is written at
bench time beside the build, to BUILD/bench-web/floor.html. Whatever the drill's first paint
costs beyond the floor's is its scripts'; and since the floor shows the window the pupil sees,
the drill is ready in time when it is ready for Start about when the floor has painted.

One browser session (Debian's Chromium through its chromedriver, a fresh profile, a 1024x768
window) loads the two pages in turn, for each CPU rate (--cpu: 1 is the machine's own speed, 6
is DevTools' Emulation.setCPUThrottlingRate slowing the page's renderer six times, as on a
cheap phone) RUNS times each after one warm-up load of each that is not counted; the order
alternates, and every load starts from about:blank. From file:// always, and with --http also
from a server of this script's own on 127.0.0.1 (no-store, so every load reads the page
again). Each load records, from the navigation's start:

  first contentful paint  the 'first-contentful-paint' paint timing entry: the window painted;
  ready                   the drill's 'roots-drill-ready' mark (the program started on the
                          window, Start takes a key); the floor is never ready.

Its targets: the drill's first contentful paint at most 1.10 times the floor's, and the drill
ready for Start at most 1.25 times the floor's first contentful paint (the pupil's first Return
works about as soon as the window is seen).

With --cold N, each page is also loaded N times as the first page of a browser of its own (a
fresh profile and renderer: nothing of either page compiled, decoded or kept yet), the pages in
turn: the load a pupil opening the page has, where the series above are the loads after it.

Key to pixel: after the file:// loads, Return is pressed on the drill (Start; the focus goes into
the first answer box), and the floor's first answer box is opened and given the focus; then
KEYS digits are typed into each, each followed by a Backspace that is not counted, so every
digit goes into an empty box.
Keys go in through the DevTools protocol (Input.dispatchKeyEvent), as trusted key events through
the browser's input pipeline, the way a keyboard's keys come. In the page, a capturing keydown
listener on the window (the first to see the key) takes event.timeStamp, the moment the key
event was made, and asks for an animation frame; from that frame's callback it posts a message
on a MessageChannel, whose handler runs once the main thread has finished that frame (style,
layout, paint and the commit to the compositor): that moment is when the frame with the digit was
produced. The key's time is from event.timeStamp to then. The same window listener, bubbling,
marks the end of the 'input' event, after the page's own handlers. So each key splits into

  handling  from the key event to the end of its input event (the page's handlers included);
  wait      from there to the frame's animation-frame callback: the wait for the display's next
            frame (up to a frame at 60 Hz, whatever the page does), plus any other task in the way;
  frame     from that callback to the frame produced.

'busy' is handling + frame, the key's time without the wait for the frame, which is what the page
adds; the full time is what a pupil would see, less the compositor's raster and the display.
The Event Timing API would give the same span as one figure, but only for events longer than its
16 ms threshold and in 8 ms steps, too coarse for keys that take a few milliseconds.
With --frames free, Chromium also gets --disable-frame-rate-limit --disable-gpu-vsync: frames are
made as soon as they are asked for, so the wait nearly vanishes and the full time is the busy one.

It prints the medians, quartiles, minima and maxima, the ratios drill/floor (of the medians and of
the minima) against the targets (first paint 1.10, ready 1.25, key to pixel 1.1), the page's
size as built and `gzip -9`'d against 200 KB and 80 KB (1 KB = 1000 bytes), the CPU, its cores
and the Chromium version, and the load average before and after: other work on the machine makes
the figures slower and wider, the ratio of the minima least; `nice -n -15 make bench-web` (as
root) keeps such work from dominating them. This is a benchmark: it fails only when it cannot
measure, never on a target.
"""

import argparse
import http.server
import os
import platform
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import threading
import time
from pathlib import Path

try:
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service
except ImportError:
    sys.exit("web_bench.py: Selenium is missing; install the Debian package python3-selenium")

ROOT = Path(__file__).resolve().parents[2]
CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = "/usr/bin/chromedriver"
CHROMIUM_FLAGS = ["--headless=new", "--no-sandbox", "--disable-gpu", "--no-first-run",
                  "--disable-background-networking", "--disable-component-update",
                  "--disable-sync", "--window-size=1024,768"]
FREE_FRAMES_FLAGS = ["--disable-frame-rate-limit", "--disable-gpu-vsync"]

DRILL_READY = "roots-drill-ready"
TARGET_FIRST_PAINT = 1.10
TARGET_READY = 1.25  # the drill's ready for Start, over the floor's first contentful paint
TARGET_KEY = 1.1
TARGET_RAW = 200_000
TARGET_GZIP = 80_000
TIMEOUT_S = 20


# --- pages ---------------------------------------------------------------------------------

def write_floor(page, out):
    """The page with every script taken out."""
    html, count = re.subn(r"<script>.*?</script>\n?", "", page.read_text(encoding="utf-8"),
                          flags=re.S)
    if count == 0 or "<script" in html:
        sys.exit(f"web_bench.py: the scripts of {page} were not all found")
    out.parent.mkdir(parents=True, exist_ok=True)
    out.write_text(html, encoding="utf-8")


class PageServer:
    """The two pages over HTTP on 127.0.0.1, never to be kept by the browser's cache."""

    def __init__(self, pages):
        files = {"/" + name: path for name, path in pages.items()}

        class Handler(http.server.BaseHTTPRequestHandler):
            def do_GET(self):
                path = files.get(self.path.split("?")[0])
                if path is None:
                    self.send_error(404)
                    return
                body = path.read_bytes()
                self.send_response(200)
                self.send_header("Content-Type", "text/html; charset=utf-8")
                self.send_header("Content-Length", str(len(body)))
                self.send_header("Cache-Control", "no-store")
                self.end_headers()
                self.wfile.write(body)

            def log_message(self, *args):
                pass

        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
        self.thread = threading.Thread(target=self.server.serve_forever, daemon=True)
        self.thread.start()

    def url(self, name):
        return f"http://127.0.0.1:{self.server.server_address[1]}/{name}"

    def close(self):
        self.server.shutdown()
        self.server.server_close()


# --- the browser -----------------------------------------------------------------------------

def start_browser(profile, frames):
    for path in (CHROMIUM, CHROMEDRIVER):
        if not os.access(path, os.X_OK):
            sys.exit(f"web_bench.py: {path} is missing; install the Debian packages chromium "
                     f"and chromium-driver")
    options = webdriver.ChromeOptions()
    options.binary_location = CHROMIUM
    for flag in CHROMIUM_FLAGS + (FREE_FRAMES_FLAGS if frames == "free" else []):
        options.add_argument(flag)
    options.add_argument(f"--user-data-dir={profile}")
    driver = webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)
    driver.set_script_timeout(TIMEOUT_S)
    driver.set_page_load_timeout(TIMEOUT_S)
    return driver


# Waits for the first contentful paint and the ready mark, if any, then gives the load's figures.
LOAD_FIGURES = """
var mark = arguments[0], done = arguments[arguments.length - 1];
var until = performance.now() + %d;
(function poll() {
  var paint = performance.getEntriesByName("first-contentful-paint");
  var ready = mark ? performance.getEntriesByName(mark) : [{startTime: null}];
  if (!(paint.length && ready.length)) {
    if (performance.now() > until) done({error: "no " + (paint.length ? mark : "first paint")});
    else setTimeout(poll, 5);
    return;
  }
  var first = performance.getEntriesByName("first-paint");
  var navigation = performance.getEntriesByType("navigation")[0];
  done({firstContentfulPaint: paint[0].startTime, ready: ready[0].startTime,
        firstPaint: first.length ? first[0].startTime : null,
        domInteractive: navigation.domInteractive, loadEnd: navigation.loadEventEnd});
})();
""" % (TIMEOUT_S * 1000 - 1000)

# The key's moments, one record a key; see the header for what each is.
KEY_PROBE = """
window.keyRecords = [];
var current = null;
addEventListener("keydown", function (event) {
  var record = {key: event.key, stamp: event.timeStamp};
  current = record;
  keyRecords.push(record);
  requestAnimationFrame(function () {
    record.frameStart = performance.now();
    var channel = new MessageChannel();
    channel.port1.onmessage = function () { record.produced = performance.now(); };
    channel.port2.postMessage(null);
  });
}, true);
addEventListener("input", function () { if (current) current.inputDone = performance.now(); });
"""

# Waits for key record N (from 1) to have its frame produced, and gives it.
KEY_RECORD = """
var n = arguments[0], done = arguments[arguments.length - 1];
var until = performance.now() + %d;
(function poll() {
  var record = keyRecords[n - 1];
  if (record && record.produced !== undefined) done(record);
  else if (performance.now() > until) done({error: "key " + n + " made no frame"});
  else setTimeout(poll, 2);
})();
""" % (TIMEOUT_S * 1000 - 1000)

KEYS = {
    "Enter": {"key": "Enter", "code": "Enter", "windowsVirtualKeyCode": 13, "text": "\r"},
    "Backspace": {"key": "Backspace", "code": "Backspace", "windowsVirtualKeyCode": 8},
}
for _digit in "0123456789":
    KEYS[_digit] = {"key": _digit, "code": "Digit" + _digit,
                    "windowsVirtualKeyCode": ord(_digit), "text": _digit}


class Page:
    def __init__(self, name, path, ready_mark):
        self.name, self.path, self.ready_mark = name, path, ready_mark


def press(driver, name):
    """One key down and up through the browser's input pipeline."""
    key = dict(KEYS[name])
    down = dict(key, type="keyDown" if "text" in key else "rawKeyDown")
    if "text" in key:
        down["unmodifiedText"] = key["text"]
    driver.execute_cdp_cmd("Input.dispatchKeyEvent", down)
    up = {k: v for k, v in key.items() if k != "text"}
    driver.execute_cdp_cmd("Input.dispatchKeyEvent", dict(up, type="keyUp"))


def load(driver, page, url):
    driver.get("about:blank")
    driver.get(url)
    figures = driver.execute_async_script(LOAD_FIGURES, page.ready_mark)
    if "error" in figures:
        sys.exit(f"web_bench.py: {page.name} from {url}: {figures['error']}")
    return figures


def type_keys(driver, page, count, digit_base):
    """Focuses the page's box and types count digits into it; the records of the digits."""
    driver.execute_script(KEY_PROBE)
    pressed = 0

    def key_and_frame(name):
        nonlocal pressed
        press(driver, name)
        pressed += 1
        record = driver.execute_async_script(KEY_RECORD, pressed)
        if "error" in record:
            sys.exit(f"web_bench.py: {page.name}: {record['error']}")
        return record

    if page.name == "drill":
        key_and_frame("Enter")  # Start: the focus goes into the first answer box
        expected = "Text4"
    else:  # the window without its program: its first box opened by hand
        driver.execute_script("var box = document.getElementById('Text4');"
                              "box.disabled = false; box.focus();")
        expected = "Text4"
    focused = driver.execute_script("return document.activeElement.id;")
    if focused != expected:
        sys.exit(f"web_bench.py: {page.name}: the focus is on '{focused}', not on '{expected}'")
    records = []
    for i in range(count):
        digit = str((digit_base + i) % 9 + 1)
        record = key_and_frame(digit)
        value = driver.execute_script("return document.activeElement.value;")
        if value != digit:
            sys.exit(f"web_bench.py: {page.name}: the box holds {value!r} after {digit}")
        records.append(record)
        key_and_frame("Backspace")
    return records


def key_figures(record):
    handling = record["inputDone"] - record["stamp"]
    wait = record["frameStart"] - record["inputDone"]
    frame = record["produced"] - record["frameStart"]
    return {"key to pixel": record["produced"] - record["stamp"], "handling": handling,
            "wait": wait, "frame": frame, "busy": handling + frame}


def slow_cpu(driver, rate):
    """The page's renderer slowed `rate` times (1: the machine's own speed), for the loads to
    come in this browser."""
    driver.execute_cdp_cmd("Emulation.setCPUThrottlingRate", {"rate": rate})


def cold_series(pages, count, frames, rate):
    """Each page loaded from file:// as the first page of a fresh browser, count times."""
    loads = {"drill": [], "floor": []}
    for run in range(count):
        for name in (("drill", "floor") if run % 2 == 0 else ("floor", "drill")):
            profile = tempfile.mkdtemp(prefix="roots-drill-bench-web-")
            driver = None
            try:
                driver = start_browser(profile, frames)
                slow_cpu(driver, rate)
                loads[name].append(load(driver, pages[name], pages[name].path.as_uri()))
            finally:
                if driver is not None:
                    driver.quit()
                shutil.rmtree(profile, ignore_errors=True)
    return loads


# --- the report ------------------------------------------------------------------------------

def quartiles(values):
    ordered = sorted(values)
    if len(ordered) < 2:
        return ordered[0], ordered[0]
    low, _, high = statistics.quantiles(ordered, n=4, method="inclusive")
    return low, high


def stats_line(label, values, scale=1.0):
    values = [v / scale for v in values]
    low, high = quartiles(values)
    return (f"  {label:<14}{statistics.median(values):9.1f}{low:9.1f}{high:9.1f}"
            f"{min(values):9.1f}{max(values):9.1f}")


def ratio(drill, floor):
    return drill / floor if floor > 0 else float("nan")


def ratio_line(drill, floor, target=None):
    by_median = ratio(statistics.median(drill), statistics.median(floor))
    by_minimum = ratio(min(drill), min(floor))
    verdict = ""
    if target is not None:
        verdict = f" (target <= {target:.2f}: {'met' if by_median <= target else 'MISSED'})"
    return f"  drill/floor: medians {by_median:.2f}{verdict}; minima {by_minimum:.2f}"


def table(title, series, target=None, unit="ms", over=None):
    """The series' statistics, and the ratio of the drill's to the floor's against target; or,
    with `over`, of the drill's to the floor's series in over."""
    lines = [f"\n{title} ({unit})",
             f"  {'':<14}{'median':>9}{'p25':>9}{'p75':>9}{'min':>9}{'max':>9}"]
    for name in ("drill", "floor"):
        if name in series:
            lines.append(stats_line(name, series[name]))
    if over is None:
        lines.append(ratio_line(series["drill"], series["floor"], target))
    else:
        lines.append(ratio_line(series["drill"], over, target).replace(
            "drill/floor", "drill/floor's first contentful paint"))
    return "\n".join(lines)


def cpu_model():
    try:
        for line in Path("/proc/cpuinfo").read_text().splitlines():
            if line.startswith("model name"):
                return line.split(":", 1)[1].strip()
    except OSError:
        pass
    return platform.processor() or "unknown CPU"


def load_average():
    """The one-minute load average: other work on the machine shows in the figures."""
    try:
        return f"{os.getloadavg()[0]:.2f}"
    except OSError:
        return "unknown"


def gzip_size(path):
    gzip = shutil.which("gzip")
    if gzip:
        with open(path, "rb") as source:
            packed = subprocess.run([gzip, "-9", "-n", "-c"], stdin=source, capture_output=True,
                                    check=True).stdout
        return len(packed)
    import gzip as gzip_module
    return len(gzip_module.compress(Path(path).read_bytes(), 9, mtime=0))


def size_lines(drill, floor):
    lines = ["\nsize (bytes)"]
    for name, path in (("drill", drill), ("floor", floor)):
        lines.append(f"  {name:<14}raw {path.stat().st_size:8d}   gzip -9 {gzip_size(path):8d}"
                     f"   ({path})")
    raw, packed = drill.stat().st_size, gzip_size(drill)
    lines.append(f"  drill raw {raw / 1000:.1f} KB (target <= {TARGET_RAW / 1000:.0f} KB: "
                 f"{'met' if raw <= TARGET_RAW else 'MISSED'}), gzip -9 {packed / 1000:.1f} KB "
                 f"(target <= {TARGET_GZIP / 1000:.0f} KB: "
                 f"{'met' if packed <= TARGET_GZIP else 'MISSED'})")
    return "\n".join(lines)


# --- the run ---------------------------------------------------------------------------------

def environment_default(name, default):
    value = os.environ.get(name, "")
    return value if value != "" else default


def cpu_rates(text):
    try:
        rates = [float(rate) for rate in text.split(",")]
    except ValueError:
        rates = []
    if not rates or min(rates) < 1:
        raise argparse.ArgumentTypeError("CPU rates are numbers from 1 up, separated by commas")
    return [int(rate) if rate.is_integer() else rate for rate in rates]


def measure(driver, pages, schemes, url, rate, args):
    """At one CPU rate: a warm-up load of each page, then RUNS loads of each in turn, with keys
    typed after the file:// ones. The loads by scheme and page, the warm-ups, the keys."""
    slow_cpu(driver, rate)
    loads = {scheme: {"drill": [], "floor": []} for scheme in schemes}
    warmup = {}
    keys = {"drill": [], "floor": []}
    for scheme in schemes:
        for name in ("drill", "floor"):
            warmup[(scheme, name)] = load(driver, pages[name], url(pages[name], scheme))
    for run in range(args.runs):
        order = ("drill", "floor") if run % 2 == 0 else ("floor", "drill")
        for name in order:
            page = pages[name]
            for scheme in schemes:
                loads[scheme][name].append(load(driver, page, url(page, scheme)))
                if scheme == "file" and args.keys:
                    keys[name] += [key_figures(r)
                                   for r in type_keys(driver, page, args.keys, run)]
    return loads, warmup, keys


def report(rate, schemes, loads, warmup, cold, keys, args):
    speed = "the machine's own speed" if rate == 1 else f"the CPU slowed {rate}x"
    print(f"\n=== at {speed} ===")
    for scheme in schemes:
        series = loads[scheme]
        pick = lambda key: {n: [f[key] for f in series[n]] for n in series}  # noqa: E731
        paint = pick("firstContentfulPaint")
        print(table(f"{scheme}:// navigation start to first contentful paint", paint,
                    TARGET_FIRST_PAINT))
        print(table(f"{scheme}:// navigation start to ready for Start", {
            "drill": pick("ready")["drill"]}, TARGET_READY, over=paint["floor"]))
        print(table(f"{scheme}:// navigation start to first paint (any pixels, even a "
                    f"background)", pick("firstPaint")))
        print(table(f"{scheme}:// navigation start to the load event's end", pick("loadEnd")))
        first = {n: warmup[(scheme, n)] for n in ("drill", "floor")}
        print(f"  the uncounted warm-up loads (the drill's, then the floor's in the same "
              f"renderer): first contentful paint drill "
              f"{first['drill']['firstContentfulPaint']:.1f}, floor "
              f"{first['floor']['firstContentfulPaint']:.1f}; ready drill "
              f"{first['drill']['ready']:.1f}")
    if args.cold:
        pick = lambda key: {n: [f[key] for f in cold[n]] for n in cold}  # noqa: E731
        paint = pick("firstContentfulPaint")
        print(table(f"first load in a fresh browser ({args.cold} each), file:// navigation start "
                    f"to first contentful paint", paint, TARGET_FIRST_PAINT))
        print(table("first load in a fresh browser, navigation start to ready for Start",
                    {"drill": pick("ready")["drill"]}, TARGET_READY, over=paint["floor"]))
    if args.keys:
        count = len(keys["drill"])
        pick = lambda key: {n: [k[key] for k in keys[n]] for n in keys}  # noqa: E731
        print(table(f"key to pixel: a digit's key event to the frame with it produced, "
                    f"{count} keys each", pick("key to pixel"), TARGET_KEY))
        print(table("  busy: the same without the wait for the frame (handling + frame)",
                    pick("busy"), TARGET_KEY))
        print(table("  handling: key event to its input event handled", pick("handling")))
        print(table("  wait: input handled to the frame's animation-frame callback", pick("wait")))
        print(table("  frame: animation-frame callback to the frame produced", pick("frame")))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default="build-web", type=Path,
                        help="the browser build (default build-web)")
    parser.add_argument("--runs", type=int, default=int(environment_default("RUNS", 25)),
                        help="loads of each page, after one warm-up load each (25)")
    parser.add_argument("--keys", type=int, default=int(environment_default("KEYS", 3)),
                        help="digits typed into each page's box after each file:// load (3)")
    parser.add_argument("--cpu", type=cpu_rates, default=cpu_rates(environment_default(
                        "CPU", "1,6")), help="CPU slow-downs to measure at (1,6)")
    parser.add_argument("--http", action="store_true",
                        default=environment_default("HTTP", "0") not in ("0", ""),
                        help="also load the pages from http://127.0.0.1")
    parser.add_argument("--cold", type=int, default=int(environment_default("COLD", 0)),
                        help="also load each page N times in a browser of its own (0)")
    parser.add_argument("--frames", choices=("vsync", "free"),
                        default=environment_default("FRAMES", "vsync"),
                        help="free: frames as fast as asked for, no wait for the display")
    args = parser.parse_args()
    if args.runs < 1 or args.keys < 0 or args.cold < 0:
        sys.exit("web_bench.py: --runs must be at least 1, --keys and --cold not negative")

    build = args.build if args.build.is_absolute() else Path.cwd() / args.build
    drill_path = build / "roots-drill.html"
    if not drill_path.is_file():
        sys.exit(f"web_bench.py: {drill_path} is not built (make web)")
    floor_path = build / "bench-web" / "floor.html"
    write_floor(drill_path, floor_path)

    pages = {"drill": Page("drill", drill_path, DRILL_READY),
             "floor": Page("floor", floor_path, None)}
    server = PageServer({"roots-drill.html": drill_path, "floor.html": floor_path}) \
        if args.http else None
    schemes = ["file"] + (["http"] if args.http else [])

    def url(page, scheme):
        return page.path.as_uri() if scheme == "file" else server.url(page.path.name)

    profile = tempfile.mkdtemp(prefix="roots-drill-bench-web-")
    measured = {}
    driver = None
    try:
        driver = start_browser(profile, args.frames)
        version = driver.capabilities.get("browserVersion", "unknown")
        load_before = load_average()
        started = time.monotonic()
        for rate in args.cpu:
            measured[rate] = measure(driver, pages, schemes, url, rate, args)
        driver.quit()
        driver = None
        cold = {rate: cold_series(pages, args.cold, args.frames, rate) for rate in args.cpu}
        elapsed = time.monotonic() - started
    finally:
        if driver is not None:
            driver.quit()
        if server is not None:
            server.close()
        shutil.rmtree(profile, ignore_errors=True)

    print(f"roots-drill.html beside the floor page (the same without its scripts): {args.runs} "
          f"loads each at each CPU rate ({', '.join(map(str, args.cpu))}), alternating, after one "
          f"warm-up load each; {args.keys} keys a file:// load; frames {args.frames}; "
          f"{elapsed:.0f} s")
    print(f"{cpu_model()}, {os.cpu_count()} cores; {platform.system()} {platform.release()}; "
          f"Chromium {version} headless; load average before {load_before}, after "
          f"{load_average()}")
    for rate in args.cpu:
        loads, warmup, keys = measured[rate]
        report(rate, schemes, loads, warmup, cold[rate], keys, args)
    print(size_lines(drill_path, floor_path))


if __name__ == "__main__":
    main()
