#!/usr/bin/python3
"""Where a page's first paint goes: Chromium's own trace of its loads, summed up by phase.

    bench/web/page_trace.py [--build build-web] [--loads 5] [--fresh] [--cpu 1] [--keep DIR]
                            [PAGE...]

PAGE is drill or floor (both by default; the floor, the page without its scripts, is the one
bench/web/web_bench.py writes, so run that, or make bench-web, first). Headless Chromium with the bench's flags loads each page
--loads times, in turn, after one warm-up load of each, every load from about:blank; with
--fresh every load is instead the first page of a browser of its own, with nothing of the page
compiled, decoded or kept yet. --cpu 6 slows the page's renderer six times, as web_bench.py's
cheap phone (DevTools' Emulation.setCPUThrottlingRate). Tracing is on from just before the navigation until the page is
ready for Start (the drill's 'roots-drill-ready' mark; the floor only paints) and has
painted. It speaks the DevTools protocol itself, over the browser's own debugging port; the
trace of each load can be kept as JSON (--keep DIR) for chrome://tracing or a Perfetto viewer.

For each page it prints the medians over the loads of the moments response end, HTML parsed,
first paint, wasm compile started, wasm instantiated, the ready mark and the first contentful
paint, each from navigation start; and of the busy time of the renderer's main thread until the
first contentful paint by what it did (navigation, HTML and style sheet parsing, script compile
and run, wasm compile and instantiation, fonts, style, layout, paint and commit, garbage
collection, and 'other' for the rest of its tasks), with the renderer's other threads beside
it (raster, background script and wasm compiles).
"""

import argparse
import base64
import collections
import json
import os
import socket
import statistics
import struct
import subprocess
import sys
import tempfile
import shutil
import time
import urllib.parse
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(Path(__file__).resolve().parent))
sys.dont_write_bytecode = True
from web_bench import CHROMIUM, CHROMIUM_FLAGS, DRILL_READY  # noqa: E402

CATEGORIES = ["devtools.timeline", "disabled-by-default-devtools.timeline", "v8", "v8.execute",
              "blink.user_timing", "loading", "toplevel", "disabled-by-default-v8.compile",
              "v8.wasm", "disabled-by-default-v8.wasm.detailed", "blink", "fonts"]


class DevTools:
    """A blocking DevTools protocol client over one WebSocket, standard library only."""

    def __init__(self, ws_url):
        url = urllib.parse.urlparse(ws_url)
        self.sock = socket.create_connection((url.hostname, url.port), timeout=30)
        key = base64.b64encode(os.urandom(16)).decode()
        self.sock.sendall((f"GET {url.path} HTTP/1.1\r\nHost: {url.netloc}\r\n"
                           f"Upgrade: websocket\r\nConnection: Upgrade\r\n"
                           f"Sec-WebSocket-Key: {key}\r\nSec-WebSocket-Version: 13\r\n\r\n")
                          .encode())
        reply = b""
        while b"\r\n\r\n" not in reply:
            reply += self.sock.recv(4096)
        head, self.buffer = reply.split(b"\r\n\r\n", 1)
        if b" 101 " not in head.split(b"\r\n")[0]:
            raise RuntimeError(f"no WebSocket: {head[:200]!r}")
        self.next_id = 0
        self.events = collections.deque()

    def _read(self, count):
        while len(self.buffer) < count:
            chunk = self.sock.recv(1 << 20)
            if not chunk:
                raise RuntimeError("the browser closed the connection")
            self.buffer += chunk
        data, self.buffer = self.buffer[:count], self.buffer[count:]
        return data

    def _message(self):
        parts = []
        while True:
            first, second = self._read(2)
            length = second & 0x7F
            if length == 126:
                length = struct.unpack(">H", self._read(2))[0]
            elif length == 127:
                length = struct.unpack(">Q", self._read(8))[0]
            payload = self._read(length)
            opcode = first & 0x0F
            if opcode == 8:
                raise RuntimeError("the browser closed the connection")
            if opcode in (0, 1, 2):
                parts.append(payload)
                if first & 0x80:
                    return json.loads(b"".join(parts))

    def _send(self, text):
        data = text.encode()
        mask = os.urandom(4)
        header = bytes([0x81])
        if len(data) < 126:
            header += bytes([0x80 | len(data)])
        elif len(data) < 1 << 16:
            header += bytes([0x80 | 126]) + struct.pack(">H", len(data))
        else:
            header += bytes([0x80 | 127]) + struct.pack(">Q", len(data))
        masked = bytes(b ^ mask[i % 4] for i, b in enumerate(data))
        self.sock.sendall(header + mask + masked)

    def call(self, method, session=None, **params):
        self.next_id += 1
        message = {"id": self.next_id, "method": method, "params": params}
        if session:
            message["sessionId"] = session
        self._send(json.dumps(message))
        while True:
            reply = self._message()
            if reply.get("id") == self.next_id:
                if "error" in reply:
                    raise RuntimeError(f"{method}: {reply['error']}")
                return reply.get("result", {})
            self.events.append(reply)

    def wait_for(self, method):
        """Events up to and including the first of method, in order."""
        seen = []
        while True:
            event = self.events.popleft() if self.events else self._message()
            seen.append(event)
            if event.get("method") == method:
                return seen


def start_browser(profile):
    flags = CHROMIUM_FLAGS + [f"--user-data-dir={profile}", "--remote-debugging-port=0"]
    browser = subprocess.Popen([CHROMIUM, *flags, "about:blank"], stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    port_file = Path(profile) / "DevToolsActivePort"
    for _ in range(200):
        if port_file.is_file() and len(port_file.read_text().splitlines()) >= 2:
            break
        time.sleep(0.05)
    else:
        browser.kill()
        sys.exit("page_trace.py: the browser gave no debugging port")
    port, path = port_file.read_text().splitlines()[:2]
    return browser, DevTools(f"ws://127.0.0.1:{port}{path}")


def evaluate(devtools, session, expression):
    result = devtools.call("Runtime.evaluate", session, expression=expression,
                           awaitPromise=True, returnByValue=True)
    if "exceptionDetails" in result:
        raise RuntimeError(f"{expression}: {result['exceptionDetails']}")
    return result["result"].get("value")


WAIT_READY = """new Promise(function (done) {
  var until = performance.now() + 15000;
  (function poll() {
    var mark = %s;
    if (performance.getEntriesByName("first-contentful-paint").length &&
        (!mark || performance.getEntriesByName(mark).length) || performance.now() > until) {
      done(true);
    }
    else setTimeout(poll, 10);
  })();
})"""


def traced_load(devtools, session, url, mark):
    devtools.call("Page.navigate", session, url="about:blank")
    evaluate(devtools, session, "new Promise(function (d) { setTimeout(d, 200); })")
    devtools.call("Tracing.start", None, transferMode="ReportEvents",
                  traceConfig={"includedCategories": CATEGORIES,
                               "recordMode": "recordAsMuchAsPossible"})
    # The renderer starts recording a little after the browser says so.
    evaluate(devtools, session, "new Promise(function (d) { setTimeout(d, 100); })")
    devtools.events.clear()
    devtools.call("Page.navigate", session, url=url)
    devtools.wait_for("Page.loadEventFired")  # the page's own document is the one evaluated in
    evaluate(devtools, session, WAIT_READY % json.dumps(mark))
    # A little longer, for the paint after the mark and the frame presented.
    evaluate(devtools, session, "new Promise(function (d) { setTimeout(d, 100); })")
    devtools.call("Tracing.end")
    events = []
    for message in devtools.wait_for("Tracing.tracingComplete"):
        if message.get("method") == "Tracing.dataCollected":
            events += message["params"]["value"]
    return events


# What an event counts as, by its name. Each moment of a thread counts for the innermost event
# named here, so a compile inside a script run counts as compile; the rest of a task is 'other'.
PHASES = [
    ("navigation and commit", {"DocumentLoader::CommitNavigation", "Frame::Detach",
                               "LocalWindowProxy::Initialize"}),
    ("HTML parse", {"ParseHTML"}),
    ("style sheet parse", {"ParseAuthorStyleSheet", "CSSParserImpl::parseStyleSheet"}),
    ("script compile", {"v8.compile", "V8.CompileCode", "v8.parseOnBackground", "V8.ParseProgram",
                        "V8.CompileIgnition", "V8.ParseFunction", "v8.compileModule",
                        "V8.CompileScript", "V8.MaglevBackground", "V8.TurbofanTask"}),
    ("wasm compile", {"wasm.AsyncCompile", "wasm.AsyncCompileJob", "wasm.SyncCompile",
                      "wasm.DecodeModule", "wasm.ValidateFunctions", "wasm.CompileLazy",
                      "wasm.BaselineCompilation", "wasm.ExecuteCompilationUnits",
                      "wasm.CompileTopTier", "wasm.CompileWrappers",
                      "wasm.CompileJSToWasmWrapper", "wasm.FinishAsyncCompile",
                      "wasm.GetNativeModuleFromCache"}),
    ("wasm instantiate", {"wasm.AsyncInstantiate", "wasm.SyncInstantiate",
                          "wasm.InstanceBuilder.Build"}),
    ("fonts", {"FontFace::load", "FontResource::NotifyFinished", "FontFaceSet::load",
               "WebFontDecoder::decode", "FontCache::GetFontPlatformData",
               "CSSFontFace::SetLoadStatus", "WebFontDecoder::DecodeFromBuffer",
               "FontResource::OnDataReceived", "PlatformFontSkia::GetFontRenderParams",
               "DecodeFont"}),
    ("images (the icon)", {"SVGImage::DataChanged", "Decode Image", "ImageDecodeTask"}),
    ("style", {"UpdateLayoutTree", "Document::recalcStyle", "Document::updateStyle"}),
    ("layout", {"Layout", "LocalFrameView::layout"}),
    ("paint and commit", {"PrePaint", "Paint", "Layerize", "Commit", "UpdateLayer",
                          "PaintImage", "LocalFrameView::RunPaintLifecyclePhase"}),
    ("raster", {"RasterTask"}),
    ("script run", {"EvaluateScript", "v8.run", "FunctionCall", "v8.callFunction",
                    "TimerFire", "FireAnimationFrame", "EventDispatch", "v8.evaluateModule",
                    "RunMicrotasks", "v8.callAsConstructor", "wasm.ExecuteStartFunction"}),
    ("garbage collection", {"MinorGC", "MajorGC", "V8.GC_SCAVENGER", "V8.GC_MARK_COMPACTOR",
                            "BlinkGC.AtomicPhase", "V8.GCScavenger", "V8.GCFinalizeMC",
                            "V8.GCIncrementalMarking", "V8.GCIncrementalMarkingStart"}),
]
PHASE_OF = {name: phase for phase, names in PHASES for name in names}
TASKS = {"ThreadControllerImpl::RunTask", "RunTask", "ThreadPool_RunTask"}


def thread_names(events):
    return {(e["pid"], e["tid"]): e["args"]["name"] for e in events
            if e.get("ph") == "M" and e.get("name") == "thread_name"}


def complete_events(events):
    """(start, end, name, event) for the X events and the matched B/E pairs, by thread."""
    by_thread = collections.defaultdict(list)
    open_events = collections.defaultdict(list)
    for e in sorted((e for e in events if e.get("ph") in ("X", "B", "E")), key=lambda e: e["ts"]):
        key = (e["pid"], e["tid"])
        if e["ph"] == "X":
            by_thread[key].append((e["ts"], e["ts"] + e.get("dur", 0), e["name"], e))
        elif e["ph"] == "B":
            open_events[key].append(e)
        elif open_events[key]:
            begin = open_events[key].pop()
            by_thread[key].append((begin["ts"], e["ts"], begin["name"], begin))
    return by_thread


def attribute(spans, start, end):
    """Busy time per phase on one thread within [start, end]: each moment goes to the innermost
    event that has a phase, or to 'other' inside a task."""
    points = []
    for s, e, name, _ in spans:
        s, e = max(s, start), min(e, end)
        if e <= s:
            continue
        phase = PHASE_OF.get(name, "other" if name in TASKS else None)
        if phase is None:
            continue
        points.append((s, e, phase))
    # Sweep: at each moment the innermost (latest started, then shortest) event with a phase.
    boundaries = sorted({p for s, e, _ in points for p in (s, e)})
    totals = collections.Counter()
    for left, right in zip(boundaries, boundaries[1:]):
        covering = [(s, -(e - s), phase) for s, e, phase in points if s <= left and e >= right]
        if covering:
            totals[max(covering)[2]] += right - left
    return totals


def analyse(events, url, mark):
    threads = thread_names(events)
    marks = [e for e in events if e.get("name") == "navigationStart"
             and e.get("args", {}).get("data", {}).get("documentLoaderURL") == url]
    if not marks:
        raise RuntimeError(f"no navigationStart for {url} in the trace")
    navigation = marks[-1]
    pid, frame = navigation["pid"], navigation["args"].get("frame")
    t0 = navigation["ts"]

    def moment(name):
        found = [e["ts"] for e in events if e.get("pid") == pid and e.get("name") == name
                 and e["ts"] >= t0]
        return (min(found) - t0) / 1000 if found else None

    main = [key for key, name in threads.items() if key[0] == pid and name == "CrRendererMain"]
    if not main:
        raise RuntimeError("no renderer main thread in the trace")
    spans = complete_events([e for e in events if e.get("pid") == pid])
    # The page's frame only: an SVG image, the page's icon, is a document of its own.
    interactive = [e["ts"] for e in events if e.get("name") == "domInteractive"
                   and e.get("args", {}).get("frame") == frame and e["ts"] >= t0]
    moments = {
        "response end": moment("ResourceFinish"),
        "HTML parsed": (max(interactive) - t0) / 1000 if interactive else None,
        "first paint": moment("firstPaint"),
        "wasm compile started": moment("wasm.AsyncCompile"),
        "wasm instantiated": moment("wasm.AsyncInstantiate"),
        "ready mark": moment(mark),
        "first contentful paint": moment("firstContentfulPaint"),
    }
    fcp = moments["first contentful paint"]
    end = t0 + (fcp if fcp is not None else 10_000) * 1000
    busy = {phase: total / 1000 for phase, total in attribute(spans[main[0]], t0, end).items()}
    workers = collections.Counter()
    for key, thread_spans in spans.items():
        if key == main[0] or threads.get(key, "") == "CrRendererMain":
            continue
        for phase, total in attribute(thread_spans, t0, end).items():
            if phase != "other":
                workers[f"{phase} ({threads.get(key, key[1])})"] += total / 1000
    return moments, busy, dict(workers)


def median_or_none(values):
    values = [v for v in values if v is not None]
    return statistics.median(values) if values else None


def traced_session(pages, plan, keep, first_kept, rate=1):
    """One browser: a warm-up load of each page in plan unless first_kept, then plan traced, with
    the CPU slowed `rate` times."""
    profile = tempfile.mkdtemp(prefix="roots-drill-trace-")
    browser, devtools = start_browser(profile)
    results = []
    try:
        targets = devtools.call("Target.getTargets")["targetInfos"]
        page_target = next(t for t in targets if t["type"] == "page")
        session = devtools.call("Target.attachToTarget", targetId=page_target["targetId"],
                                flatten=True)["sessionId"]
        devtools.call("Page.enable", session)
        devtools.call("Emulation.setCPUThrottlingRate", session, rate=rate)
        warmups = [] if first_kept else sorted(set(plan))
        for index, name in enumerate(warmups + plan):
            path, mark = pages[name]
            url = path.as_uri()
            for attempt in range(3):
                events = traced_load(devtools, session, url, mark)
                if index < len(warmups):
                    break
                try:
                    analysis = analyse(events, url, mark)
                    break
                except RuntimeError as error:
                    print(f"page_trace.py: {name}: {error}; loading it again", file=sys.stderr)
            else:
                sys.exit(f"page_trace.py: no usable trace of {name}")
            if index < len(warmups):
                continue
            if keep:
                number = len(list(keep.glob(f"{name}-*.json"))) + 1
                (keep / f"{name}-{number}.json").write_text(json.dumps({"traceEvents": events}))
            results.append((name, analysis))
    finally:
        browser.terminate()
        try:
            browser.wait(timeout=10)
        except subprocess.TimeoutExpired:
            browser.kill()
        shutil.rmtree(profile, ignore_errors=True)
    return results


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("pages", nargs="*", metavar="PAGE", help="drill or floor (both)")
    parser.add_argument("--build", default="build-web", type=Path)
    parser.add_argument("--loads", type=int, default=5)
    parser.add_argument("--fresh", action="store_true",
                        help="each load the first in a browser of its own (no warm-up)")
    parser.add_argument("--cpu", type=float, default=1, help="the CPU slowed this many times")
    parser.add_argument("--keep", type=Path, help="a folder for each load's trace as JSON")
    args = parser.parse_args()
    build = args.build if args.build.is_absolute() else Path.cwd() / args.build
    pages = {"drill": (build / "roots-drill.html", DRILL_READY),
             "floor": (build / "bench-web" / "floor.html", None)}
    chosen = args.pages or ["drill", "floor"]
    if not set(chosen) <= set(pages):
        sys.exit("page_trace.py: a PAGE is drill or floor")
    for name in chosen:
        if not pages[name][0].is_file():
            sys.exit(f"page_trace.py: {pages[name][0]} is missing (make web, then make bench-web "
                     f"for the floor)")
    if args.keep:
        args.keep.mkdir(parents=True, exist_ok=True)

    plan = []
    for load in range(args.loads):
        plan += chosen if load % 2 == 0 else list(reversed(chosen))
    results = {name: [] for name in chosen}
    if args.fresh:
        for name in plan:
            for page, analysis in traced_session(pages, [name], args.keep, True, args.cpu):
                results[page].append(analysis)
    else:
        for page, analysis in traced_session(pages, plan, args.keep, False, args.cpu):
            results[page].append(analysis)

    kind = "first loads in fresh browsers" if args.fresh else "loads after a warm-up"
    for name in chosen:
        runs = results[name]
        print(f"\n{name}: medians of {len(runs)} traced {kind} (ms from navigation start)")
        for key in runs[0][0]:
            value = median_or_none([r[0][key] for r in runs])
            print(f"  {key:<34}{'-' if value is None else f'{value:8.1f}'}")
        print("  renderer main thread, busy until the first contentful paint, by phase:")
        phases = sorted({p for r in runs for p in r[1]},
                        key=lambda p: -statistics.median([r[1].get(p, 0) for r in runs]))
        for phase in phases:
            print(f"    {phase:<32}{statistics.median([r[1].get(phase, 0) for r in runs]):8.1f}")
        total = statistics.median([sum(r[1].values()) for r in runs])
        print(f"    {'(all)':<32}{total:8.1f}")
        worker_keys = sorted({k for r in runs for k in r[2]})
        if worker_keys:
            print("  other threads of the renderer in the same span:")
            for key in worker_keys:
                print(f"    {key:<48}{statistics.median([r[2].get(key, 0) for r in runs]):8.1f}")


if __name__ == "__main__":
    main()
