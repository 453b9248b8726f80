#!/usr/bin/python3
"""Puts the page together around what Emscripten builds.

  make_page.py shell --template web/shell.html --fonts fonts.css --icon data/roots-drill.svg
                     --notice web/fonts/NOTICE.txt --markup markup.json --out shell.html
      The shell Emscripten links the page into: the embedded fonts, the window's icon, the
      fonts' notice, and the window's title, colour and markup as the page's own program writes
      them (markup.json) put in their places.

  make_page.py site --page roots-drill.html --icons data/roots-drill-192.png
                    data/roots-drill-512.png --out site
      The folder a teacher copies to a web host: index.html (the page, with its manifest and
      service worker named), the web app manifest, the service worker and the icons. The worker
      keeps these files for the page to open with no connection; its cache is named after their
      contents, so a new build replaces what a pupil's browser kept.
"""
import argparse
import base64
import hashlib
import json
import pathlib
import re
import shutil
import sys

SHORT_NAME = "Корни уравнения"


def make_shell(args):
    shell = pathlib.Path(args.template).read_text(encoding="utf-8")
    icon = base64.b64encode(pathlib.Path(args.icon).read_bytes()).decode("ascii")
    # An HTML comment may not hold "--".
    notice = pathlib.Path(args.notice).read_text(encoding="utf-8").replace("--", "-")
    markup = json.loads(pathlib.Path(args.markup).read_text(encoding="utf-8"))
    for placeholder, value in (("@FONTS@", pathlib.Path(args.fonts).read_text(encoding="utf-8")),
                               ("@ICON@", "data:image/svg+xml;base64," + icon),
                               ("@NOTICE@", notice.strip()),
                               ("@TITLE@", markup["title"]),
                               ("@WINDOW_BACK@", markup["windowBack"]),
                               ("@WINDOW@", markup["window"]),
                               ("@KEYPAD@", markup["keypad"])):
        if placeholder not in shell:
            sys.exit(f"make_page.py: {args.template} has no {placeholder}")
        shell = shell.replace(placeholder, value)
    pathlib.Path(args.out).write_text(shell, encoding="utf-8")


SERVICE_WORKER = """\
// Keeps the drill's own files, so that the page opens with no connection at all.
const CACHE = "roots-drill-%(version)s";
const FILES = %(files)s;

self.addEventListener("install", (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener("activate", (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name !== CACHE).map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

// The drill's files from the cache first; anything else is not the drill's and goes its way.
self.addEventListener("fetch", (event) => {
  if (event.request.method !== "GET") return;
  event.respondWith(caches.match(event.request, { ignoreSearch: true })
    .then((kept) => kept || fetch(event.request)));
});
"""

SITE_HEAD = """\
<link rel="manifest" href="manifest.webmanifest">
<link rel="apple-touch-icon" href="%(icon)s">
<script>
"use strict";
if ("serviceWorker" in navigator) navigator.serviceWorker.register("sw.js");
</script>"""


def make_site(args):
    out = pathlib.Path(args.out)
    out.mkdir(parents=True, exist_ok=True)
    icons = []
    for icon in args.icons:
        shutil.copyfile(icon, out / pathlib.Path(icon).name)
        size = pathlib.Path(icon).stem.rsplit("-", 1)[-1]
        icons.append({"src": pathlib.Path(icon).name, "sizes": f"{size}x{size}",
                      "type": "image/png", "purpose": "any"})
    page = pathlib.Path(args.page).read_text(encoding="utf-8")
    # The page's own title and colour name it on a home screen.
    title = re.search(r"<title>(.*?)</title>", page).group(1)
    colour = re.search(r'<meta name="theme-color" content="(#[0-9A-Fa-f]{6})">', page).group(1)
    manifest = {
        "name": title, "short_name": SHORT_NAME, "lang": "ru", "dir": "ltr",
        "start_url": "./", "scope": "./", "display": "standalone",
        "background_color": colour, "theme_color": colour, "icons": icons,
    }
    (out / "manifest.webmanifest").write_text(json.dumps(manifest, ensure_ascii=False, indent=2),
                                              encoding="utf-8")
    if "<!--site-->" not in page:
        sys.exit(f"make_page.py: {args.page} has no <!--site--> mark")
    page = page.replace("<!--site-->", SITE_HEAD % {"icon": icons[0]["src"]})
    (out / "index.html").write_text(page, encoding="utf-8")
    files = ["./", "index.html", "manifest.webmanifest"] + [icon["src"] for icon in icons]
    digest = hashlib.sha256()
    for name in files[1:]:
        digest.update((out / name).read_bytes())
    (out / "sw.js").write_text(SERVICE_WORKER % {"version": digest.hexdigest()[:16],
                                                 "files": json.dumps(files)}, encoding="utf-8")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    commands = parser.add_subparsers(dest="command", required=True)
    shell = commands.add_parser("shell")
    for option in ("--template", "--fonts", "--icon", "--notice", "--markup", "--out"):
        shell.add_argument(option, required=True)
    site = commands.add_parser("site")
    site.add_argument("--page", required=True)
    site.add_argument("--icons", nargs="+", required=True)
    site.add_argument("--out", required=True)
    args = parser.parse_args()
    (make_shell if args.command == "shell" else make_site)(args)


if __name__ == "__main__":
    main()
