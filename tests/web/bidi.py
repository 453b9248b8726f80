"""Firefox driven over WebDriver BiDi, for the page's tests: Debian ships Firefox ESR but no
geckodriver, and Firefox speaks BiDi itself on a WebSocket (--remote-debugging-port).

Firefox here offers the part of Selenium's WebDriver the tests use (get, refresh, title,
execute_script, execute_async_script, find_element by id, ActionChains through the W3C actions,
screenshots, the console's log, the window's size, quit), so that the same tests drive every
engine. Standard library only: a WebSocket client of a few lines, since Debian's Selenium 4.8
has no BiDi of its own.
"""

import base64
import collections
import json
import os
import re
import socket
import struct
import subprocess
import tempfile
import time

from selenium.common.exceptions import JavascriptException, WebDriverException
from selenium.webdriver.remote.command import Command
from selenium.webdriver.remote.webelement import WebElement

FIREFOX = "/usr/bin/firefox-esr"
ELEMENT_KEY = "element-6066-11e4-a52e-4f735466cecf"  # how Selenium writes an element

# A profile that keeps Firefox off the network and quiet: no updates, studies, telemetry,
# remote settings, safe browsing lists or first-run pages; the page's own Russian.
PREFERENCES = {
    "app.normandy.enabled": False,
    "app.update.disabledForTesting": True,
    "browser.aboutwelcome.enabled": False,
    "browser.region.network.url": "",
    "browser.safebrowsing.downloads.enabled": False,
    "browser.safebrowsing.malware.enabled": False,
    "browser.safebrowsing.phishing.enabled": False,
    "browser.safebrowsing.update.enabled": False,
    "browser.search.update": False,
    "browser.shell.checkDefaultBrowser": False,
    "browser.startup.homepage_override.mstone": "ignore",
    "browser.startup.page": 0,
    "browser.tabs.warnOnClose": False,
    "datareporting.healthreport.uploadEnabled": False,
    "datareporting.policy.dataSubmissionEnabled": False,
    "extensions.update.enabled": False,
    "intl.accept_languages": "ru",
    "messaging-system.rsexperimentloader.enabled": False,
    "network.captive-portal-service.enabled": False,
    "network.connectivity-service.enabled": False,
    "network.dns.disablePrefetch": True,
    "network.http.speculative-parallel-limit": 0,
    "services.settings.server": "data:,",
    "toolkit.telemetry.enabled": False,
    "toolkit.telemetry.server": "",
    # The clipboard, for the tests that paste, without a prompt.
    "dom.events.asyncClipboard.clipboardItem": True,
    "dom.events.testing.asyncClipboard": True,
}


class WebSocket:
    """A WebSocket client of text messages, as much of RFC 6455 as a local browser needs."""

    def __init__(self, host, port, path):
        self.sock = socket.create_connection((host, port), timeout=60)
        key = base64.b64encode(os.urandom(16)).decode()
        self.sock.sendall((f"GET {path} HTTP/1.1\r\nHost: {host}:{port}\r\nUpgrade: websocket\r\n"
                           f"Connection: Upgrade\r\nSec-WebSocket-Key: {key}\r\n"
                           f"Sec-WebSocket-Version: 13\r\n\r\n").encode())
        reply = b""
        while b"\r\n\r\n" not in reply:
            chunk = self.sock.recv(4096)
            if not chunk:
                raise WebDriverException("Firefox closed the WebSocket while opening it")
            reply += chunk
        head, self.buffer = reply.split(b"\r\n\r\n", 1)
        if b" 101 " not in head.split(b"\r\n")[0]:
            raise WebDriverException(f"no WebSocket from Firefox: {head[:200]!r}")

    def send(self, text):
        data = text.encode()
        header = bytes([0x81])  # a final text frame
        if len(data) < 126:
            header += bytes([0x80 | len(data)])
        elif len(data) < 1 << 16:
            header += bytes([0x80 | 126]) + struct.pack(">H", len(data))
        else:
            header += bytes([0x80 | 127]) + struct.pack(">Q", len(data))
        mask = os.urandom(4)
        self.sock.sendall(header + mask + bytes(b ^ mask[i % 4] for i, b in enumerate(data)))

    def _read(self, count):
        while len(self.buffer) < count:
            chunk = self.sock.recv(1 << 20)
            if not chunk:
                raise WebDriverException("Firefox closed the WebSocket")
            self.buffer += chunk
        data, self.buffer = self.buffer[:count], self.buffer[count:]
        return data

    def receive(self):
        message = b""
        while True:
            first, second = self._read(2)
            length = second & 0x7F
            if length == 126:
                length = struct.unpack(">H", self._read(2))[0]
            elif length == 127:
                length = struct.unpack(">Q", self._read(8))[0]
            payload = self._read(length)  # a server never masks
            opcode = first & 0x0F
            if opcode == 0x8:
                raise WebDriverException("Firefox closed the WebSocket")
            if opcode == 0x9:  # ping
                continue
            message += payload
            if first & 0x80:
                return message.decode()

    def close(self):
        self.sock.close()


def local_value(value):
    """A Python value as a BiDi script argument."""
    if value is None:
        return {"type": "null"}
    if isinstance(value, bool):
        return {"type": "boolean", "value": value}
    if isinstance(value, (int, float)):
        return {"type": "number", "value": value}
    if isinstance(value, str):
        return {"type": "string", "value": value}
    if isinstance(value, WebElement):
        return {"sharedId": value.id}
    if isinstance(value, (list, tuple)):
        return {"type": "array", "value": [local_value(each) for each in value]}
    if isinstance(value, dict):
        return {"type": "object", "value": [[str(k), local_value(v)] for k, v in value.items()]}
    raise TypeError(f"no BiDi form for {value!r}")


class Firefox:
    """Firefox ESR, headless, with a profile of its own, driven as the tests drive a browser."""

    name = "firefox"

    def __init__(self, preferences=None):
        """`preferences` are set in the profile beside PREFERENCES."""
        self.profile = tempfile.TemporaryDirectory(prefix="roots-drill-firefox-")
        preferences = dict(PREFERENCES, **(preferences or {}))
        with open(os.path.join(self.profile.name, "user.js"), "w", encoding="utf-8") as out:
            for name, value in preferences.items():
                out.write(f"user_pref({json.dumps(name)}, {json.dumps(value)});\n")
        self.process = subprocess.Popen(
            [FIREFOX, "--headless", "--no-remote", "--profile", self.profile.name,
             "--remote-debugging-port=0", "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True,
            env=dict(os.environ, MOZ_CRASHREPORTER_DISABLE="1"))
        port = None
        started = time.monotonic()
        while port is None and time.monotonic() - started < 60:
            line = self.process.stderr.readline()
            if not line and self.process.poll() is not None:
                break
            found = re.search(r"WebDriver BiDi listening on ws://127\.0\.0\.1:(\d+)", line)
            if found:
                port = int(found.group(1))
        if port is None:
            self.process.kill()
            raise WebDriverException("Firefox did not open its WebDriver BiDi port")
        # Firefox goes on writing to its stderr; nobody reads it from here on.
        self.process.stderr.close()
        self.socket = WebSocket("127.0.0.1", port, "/session")
        self.next_id = 0
        self.events = collections.deque()
        self.console = []
        session = self.call("session.new", capabilities={"alwaysMatch": {
            "acceptInsecureCerts": False, "unhandledPromptBehavior": {"default": "dismiss"}}})
        self.capabilities = dict(session["capabilities"])
        self.capabilities.setdefault("browserName", "firefox")
        self.context = self.call("browsingContext.getTree")["contexts"][0]["context"]
        self.call("session.subscribe", events=["log.entryAdded"])

    # The protocol.
    def call(self, method, **params):
        self.next_id += 1
        self.socket.send(json.dumps({"id": self.next_id, "method": method, "params": params}))
        while True:
            message = json.loads(self.socket.receive())
            if message.get("id") == self.next_id:
                if message.get("type") == "error":
                    raise WebDriverException(f"{method}: {message.get('error')}: "
                                             f"{message.get('message')}")
                return message["result"]
            if message.get("type") == "event":
                self._event(message)

    def _event(self, message):
        if message["method"] == "log.entryAdded":
            entry = message["params"]
            level = {"error": "SEVERE", "warn": "WARNING"}.get(entry.get("level"), "INFO")
            self.console.append({"level": level, "message": entry.get("text") or "",
                                 "source": entry.get("type")})

    def _value(self, remote):
        """A BiDi script result as a Python value."""
        kind = remote.get("type")
        if kind in ("undefined", "null"):
            return None
        if kind in ("string", "boolean"):
            return remote["value"]
        if kind == "number":
            value = remote["value"]
            return {"NaN": float("nan"), "-0": -0.0, "Infinity": float("inf"),
                    "-Infinity": float("-inf")}.get(value, value) if isinstance(value, str) \
                else value
        if kind in ("array", "nodelist", "htmlcollection", "set"):
            return [self._value(each) for each in remote.get("value", [])]
        if kind in ("object", "map"):
            return {key if isinstance(key, str) else self._value(key): self._value(value)
                    for key, value in remote.get("value", [])}
        if kind == "node":
            return WebElement(self, remote["sharedId"])
        return remote.get("value")

    def _run(self, declaration, args, await_promise, activation=False):
        result = self.call("script.callFunction", functionDeclaration=declaration,
                           target={"context": self.context}, awaitPromise=await_promise,
                           arguments=[local_value(each) for each in args],
                           resultOwnership="none", userActivation=activation,
                           serializationOptions={"maxObjectDepth": 10})
        if result["type"] == "exception":
            details = result["exceptionDetails"]
            raise JavascriptException(details.get("text", "an exception in the page"))
        return self._value(result["result"])

    # What the tests call, as Selenium's WebDriver names it.
    def add_preload_script(self, source):
        """Runs source before the scripts of every page loaded from now on; its id."""
        return self.call("script.addPreloadScript",
                         functionDeclaration=f"() => {{\n{source}\n}}")["script"]

    def remove_preload_script(self, script):
        self.call("script.removePreloadScript", script=script)

    def get(self, url):
        self.call("browsingContext.navigate", context=self.context, url=url, wait="complete")

    def refresh(self):
        self.call("browsingContext.reload", context=self.context, wait="complete")

    @property
    def title(self):
        return self.execute_script("return document.title")

    def execute_script(self, script, *args):
        return self._run(f"function () {{\n{script}\n}}", args, await_promise=False)

    def execute_async_script(self, script, *args):
        # Selenium's convention: the callback comes last among the arguments. The call counts
        # as the pupil's gesture, which the clipboard asks for.
        return self._run("function () { const args = Array.prototype.slice.call(arguments);"
                         " const body = function () {\n" + script + "\n};"
                         " return new Promise((resolve) => { args.push(resolve);"
                         " body.apply(null, args); }); }", args, await_promise=True,
                         activation=True)

    def find_element(self, by, value):
        if by != "id":
            raise WebDriverException(f"find_element by {by} is not offered here")
        element = self.execute_script("return document.getElementById(arguments[0])", value)
        if element is None:
            raise WebDriverException(f"no element with the id {value}")
        return element

    def execute(self, command, params=None):
        """The W3C actions ActionChains sends, as BiDi's input actions."""
        if command == Command.W3C_ACTIONS:
            actions = json.loads(json.dumps(params["actions"]))
            for source in actions:
                for action in source.get("actions", []):
                    origin = action.get("origin")
                    if isinstance(origin, dict) and ELEMENT_KEY in origin:
                        action["origin"] = {"type": "element",
                                            "element": {"sharedId": origin[ELEMENT_KEY]}}
            self.call("input.performActions", context=self.context, actions=actions)
        elif command == Command.W3C_CLEAR_ACTIONS:
            self.call("input.releaseActions", context=self.context)
        else:
            raise WebDriverException(f"{command} is not offered over BiDi here")
        return {"value": None}

    def get_screenshot_as_png(self):
        data = self.call("browsingContext.captureScreenshot", context=self.context)["data"]
        return base64.b64decode(data)

    def get_log(self, kind):
        if kind != "browser":
            raise WebDriverException(f"no log {kind} from Firefox")
        # Events that came while nothing was asked are read with the next answer: ask once.
        self.execute_script("return 0")
        entries, self.console = self.console, []
        return entries

    def set_viewport(self, width, height, scale=1):
        self.call("browsingContext.setViewport", context=self.context,
                  viewport={"width": width, "height": height}, devicePixelRatio=scale)

    def set_window_size(self, width, height):
        self.set_viewport(width, height)

    def quit(self):
        try:
            self.call("session.end")
        except (WebDriverException, OSError):
            pass
        self.socket.close()
        self.process.terminate()
        try:
            self.process.wait(timeout=15)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        self.profile.cleanup()
