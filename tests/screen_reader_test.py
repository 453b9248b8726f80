#!/usr/bin/python3
"""What a blind pupil hears: the road of a task by keys, through Orca, a real screen reader.

  screen_reader_test.py qt PROGRAM       the Qt window
  screen_reader_test.py chromium PAGE    the page in Chromium
  screen_reader_test.py firefox PAGE     the page in Firefox

With KEEP_ORCA_LOG=1 the reader's whole debug log is kept, and its place printed.

Each run has a desktop of its own: an Xvfb, a D-Bus session with the accessibility bus,
speech-dispatcher with its dummy voice (no sound card needed) and Orca, in a fresh HOME. Orca
runs once per user (a new one ends the others), so runs take turns. The keys
come from xdotool, so they pass through the reader as a pupil's do. What the pupil hears is what
Orca's debug log says it spoke; the log goes to a terminal of the test's, which Orca writes a line
at a time (to a file it writes in blocks, too late to follow the road). The test hears the equation, solves it as the pupil would, and
types a wrong answer, the right one and Next.
"""

import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time
import tty
import unittest
from pathlib import Path

SPEECHD_CONF = """\
AddModule "dummy" "sd_dummy" ""
DefaultModule dummy
AudioOutputMethod "alsa"
AudioALSADevice "null"
"""

FIREFOX_PREFS = {
    "browser.shell.checkDefaultBrowser": "false",
    "browser.startup.homepage_override.mstone": '"ignore"',
    "browser.startup.page": "0",
    "browser.aboutwelcome.enabled": "false",
    "datareporting.policy.dataSubmissionEnabled": "false",
    "datareporting.policy.firstRunURL": '""',
    "toolkit.telemetry.reportingpolicy.firstRun": "false",
    "trailhead.firstrun.didSeeAboutWelcome": "true",
    "browser.translations.enable": "false",
    "app.update.disabledForTesting": "true",
}

NUMBER_WORDS = r"(плюс|минус) (?:(\d+) )?x (плюс|минус) (\d+)"
EQUATION = re.compile(r"x в квадрате " + NUMBER_WORDS + r" равно нулю")
SPOKEN = re.compile(r"SPEECH OUTPUT: '(.*)'(?: voice=\w+)?\s*\{")


def window_command(kind, target, home):
    """The command that opens the window, and the words the reader says once it is up."""
    if kind == "qt":
        return [target], "Старт"
    if kind == "chromium":
        profile = home / "chromium" / "Default"
        profile.mkdir(parents=True)
        (profile / "Preferences").write_text('{"translate": {"enabled": false}}')
        return (["chromium", "--no-sandbox", "--force-renderer-accessibility", "--no-first-run",
                 "--disable-background-networking", "--disable-component-update",
                 "--disable-sync", "--disable-quic", "--disable-gpu",
                 "--disable-features=Translate", "--user-data-dir=" + str(home / "chromium"),
                 "--window-position=0,0", "--window-size=1000,800", Path(target).resolve().as_uri()],
                "Finished loading")
    if kind == "firefox":
        profile = home / "firefox"
        profile.mkdir()
        (profile / "user.js").write_text("".join(
            f'user_pref("{name}", {value});\n' for name, value in FIREFOX_PREFS.items()))
        return (["firefox-esr", "--no-remote", "--profile", str(profile), "--width", "1000",
                 "--height", "800", Path(target).resolve().as_uri()], "Finished loading")
    raise SystemExit(f"screen_reader_test.py: no window {kind!r}")


def roots_of(words):
    """The two roots of the equation the reader spoke."""
    found = EQUATION.search(words)
    sign_p, magnitude_p, sign_q, magnitude_q = found.groups()
    p = (1 if sign_p == "плюс" else -1) * int(magnitude_p or 1)
    q = (1 if sign_q == "плюс" else -1) * int(magnitude_q)
    roots = [x for x in range(-9, 10) if x != 0 and x * x + p * x + q == 0]
    assert len(roots) == 2, f"{words!r} has roots {roots}"
    return roots


class Desktop:
    """Xvfb, D-Bus, the accessibility bus, speech-dispatcher and Orca, for one run."""

    def __init__(self, home):
        self.home = home
        self.log = home / "orca.log"
        self.env = dict(os.environ, HOME=str(home), XDG_RUNTIME_DIR=str(home / "run"),
                        XDG_CONFIG_HOME=str(home / "config"), QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                        LANG="C.UTF-8")
        (home / "run").mkdir(mode=0o700)
        self.processes = []
        self.orca_side = None

    def start(self, *command, **options):
        process = subprocess.Popen(command, env=self.env, stdin=subprocess.DEVNULL,
                                   stdout=options.get("stdout", subprocess.DEVNULL),
                                   stderr=subprocess.DEVNULL, start_new_session=True)
        self.processes.append(process)
        return process

    def __enter__(self):
        try:
            return self.begin()
        except BaseException:
            self.__exit__()
            raise

    def begin(self):
        read, write = os.pipe()
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-nolisten", "tcp", "-screen",
                                 "0", "1280x1024x24"], pass_fds=[write], env=self.env,
                                stderr=subprocess.DEVNULL, start_new_session=True)
        self.processes.append(xvfb)
        os.close(write)
        with os.fdopen(read) as display:
            self.env["DISPLAY"] = ":" + display.readline().strip()
        bus = self.start("dbus-daemon", "--session", "--nofork", "--print-address=1",
                         stdout=subprocess.PIPE)
        with bus.stdout:
            self.env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().decode().strip()
        self.start("/usr/libexec/at-spi-bus-launcher", "--launch-immediately")
        speechd = self.home / "speechd"
        speechd.mkdir()
        (speechd / "speechd.conf").write_text(SPEECHD_CONF)
        subprocess.run(["speech-dispatcher", "-d", "-t", "0", "-C", str(speechd)], env=self.env,
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.wait_for(lambda: (self.home / "run/speech-dispatcher/speechd.sock").exists(),
                      "speech-dispatcher's socket")
        # The test keeps Orca's side open too, so the terminal lasts until the end of the run.
        terminal, self.orca_side = os.openpty()
        tty.setraw(self.orca_side)
        self.start("orca", "--replace", "--debug-file=" + os.ttyname(self.orca_side))
        threading.Thread(target=self.keep_log, args=(terminal,), daemon=True).start()
        self.wait_for(lambda: "Screen reader on" in self.speech(), "Orca")
        return self

    def keep_log(self, terminal):
        with open(terminal, "rb", buffering=0) as lines, open(self.log, "ab") as log:
            while chunk := self.read(lines):
                log.write(chunk)
                log.flush()

    @staticmethod
    def read(lines):
        try:
            return lines.read(65536)
        except OSError:  # Orca has closed its side
            return b""

    def __exit__(self, *exception):
        subprocess.run(["pkill", "-f", "speech-dispatcher -d -t 0 -C " + str(self.home)])
        for process in reversed(self.processes):
            try:
                os.killpg(process.pid, signal.SIGTERM)
            except ProcessLookupError:
                pass
        for process in self.processes:
            try:
                process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                os.killpg(process.pid, signal.SIGKILL)
        if self.orca_side is not None:
            os.close(self.orca_side)

    @staticmethod
    def wait_for(condition, what, seconds=30):
        deadline = time.monotonic() + seconds
        while not condition():
            if time.monotonic() > deadline:
                raise AssertionError(f"waited {seconds} s for {what}")
            time.sleep(0.1)

    def speech(self):
        """Everything Orca has spoken so far, an utterance a line."""
        text = self.log.read_text(encoding="utf-8", errors="replace") if self.log.exists() else ""
        return "\n".join(SPOKEN.findall(text))

    def keys(self, *keys):
        subprocess.run(["xdotool", "key", "--delay", "120", *keys], env=self.env, check=True)


def typed(number):
    """The keys that type a whole number."""
    return (["minus"] if number < 0 else []) + list(str(abs(number)))


class ScreenReader(unittest.TestCase):
    kind = target = None

    def test_pupil_hears_each_step_of_a_task_and_types_through_the_reader(self):
        home = Path(tempfile.mkdtemp(prefix="roots-drill-orca."))
        try:
            with Desktop(home) as desktop:
                self.road(desktop, home)
        except BaseException:
            print(f"Orca's log: {home / 'orca.log'}", file=sys.stderr)
            raise
        if os.environ.get("KEEP_ORCA_LOG"):
            print(f"Orca's log: {home / 'orca.log'}")
        else:
            shutil.rmtree(home, ignore_errors=True)

    def road(self, desktop, home):
        command, ready = window_command(self.kind, self.target, home)
        desktop.start(*command)
        desktop.wait_for(lambda: ready in desktop.speech(), f"the reader to say {ready!r}", 60)
        time.sleep(1)
        heard = len(desktop.speech())

        def step(keys, *expected):
            """Presses the keys; returns what the reader said once it said all it must."""
            nonlocal heard
            desktop.keys(*keys)
            try:
                desktop.wait_for(lambda: all(e in desktop.speech()[heard:] for e in expected),
                                 f"{expected} after {keys}", 20)
            except AssertionError as waited:
                raise AssertionError(f"{waited}; heard {desktop.speech()[heard:]!r}") from None
            time.sleep(1.5)  # whatever else it says about the step
            said = desktop.speech()[heard:]
            heard = len(desktop.speech())
            return said

        # Start: the equation, and where to type.
        said = step(["Return"], "Первый корень", "равно нулю")
        first, second = roots_of(said)
        self.assertEqual(len(EQUATION.findall(said)), 1, f"the equation once: {said!r}")
        # A wrong answer (roots are never 0): the verdict and the first box again, while the
        # digits reach the boxes and are echoed.
        said = step(["0", "Return", "0", "Return"], "Неправильно!", "Первый корень")
        self.assertIn("Второй корень", said)
        self.assertEqual(said.count("Неправильно!"), 1, said)
        # The same wrong answer again is new news, told again.
        step(["0", "Return", "0", "Return"], "Неправильно!", "Первый корень")
        # The right answer, with a minus typed where a root is negative: the verdict and Next.
        said = step([*typed(first), "Return", *typed(second), "Return"], "Правильно!", "Дальше")
        self.assertNotIn("Неправильно", said)
        # Next: a new equation.
        time.sleep(0.6)  # Next takes no press for a double-click's time after it appears
        said = step(["Return"], "Первый корень", "равно нулю")
        self.assertEqual(len(EQUATION.findall(said)), 1, f"the new equation once: {said!r}")
        # Nothing chatty: the stopwatches, ticking all along, were never spoken.
        self.assertNotIn("сек", desktop.speech())
        print("\nWhat the pupil heard:\n  " + desktop.speech().replace("\n", "\n  "))


def main():
    if len(sys.argv) != 3:
        raise SystemExit(__doc__)
    ScreenReader.kind, ScreenReader.target = sys.argv[1], sys.argv[2]
    unittest.main(argv=sys.argv[:1], verbosity=2)


if __name__ == "__main__":
    main()
