#!/usr/bin/env python3
"""Merges the examples into results of several names and loads each page in
headless Chromium: the balance picture must load whatever the name, also when
it has letters outside ASCII, blanks or a "#". The page is loaded with a small
probe script added before its end, which writes the picture's natural size
into the DOM once the page has loaded. Exits 77 (skipped) without Chromium."""

import argparse
import pathlib
import shutil
import subprocess
import sys
import tempfile

SKIP = 77
# Result names, each with a language whose labels make the page's bytes look
# like the code page a browser would then guess: a Russian page reads as
# windows-1251, where a name's UTF-8 bytes stand for other letters.
CASES = [("merged", "English"), ("\u043e\u0442\u0447\u0451\u0442", "Russian"),
         ("r\u00e9sum\u00e9", "French"), ("\u62a5\u544a", "Chinese (Simplified)"),
         ("my report", "English"), ("run #1", "English")]
PROBE = (b"<script>window.addEventListener('load', function () {"
         b" var p = document.images[0];"
         b" document.body.setAttribute('data-picture', p.naturalWidth + 'x' + p.naturalHeight);"
         b" });</script>")
FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync"]
SECONDS_PER_PAGE = 60


def merge(cli, examples, result, language):
    reports = sorted(str(p) for p in examples.glob("*.htm"))[:2]
    subprocess.run([cli, "-l", language, "-o", str(result)] + reports, check=True, timeout=60)


def with_probe(page):
    """The page's bytes with the probe inserted before the body's end."""
    html = page.read_bytes()
    end = html.rindex(b"</body>")
    return html[:end] + PROBE + html[end:]


def picture_size(chromium, page, profile):
    dom = subprocess.run(
        [chromium] + FLAGS + ["--user-data-dir=" + str(profile), "--dump-dom", page.as_uri()],
        capture_output=True, timeout=SECONDS_PER_PAGE, check=True).stdout.decode("utf-8", "replace")
    marker = 'data-picture="'
    start = dom.find(marker)
    return None if start < 0 else dom[start + len(marker):dom.index('"', start + len(marker))]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("cli")
    parser.add_argument("examples", type=pathlib.Path)
    args = parser.parse_args()
    chromium = shutil.which("chromium") or shutil.which("chromium-browser")
    if chromium is None:
        print("chromium is not installed")
        return SKIP
    failures = 0
    with tempfile.TemporaryDirectory() as work:
        work = pathlib.Path(work)
        for index, (name, language) in enumerate(CASES):
            folder = work / str(index)
            folder.mkdir()
            merge(args.cli, args.examples, folder / (name + ".htm"), language)
            probe = folder / "probe.htm"
            probe.write_bytes(with_probe(folder / (name + ".htm")))
            size = picture_size(chromium, probe, work / ("profile%d" % index))
            ok = size == "820x200"
            failures += not ok
            print("%s %r in %s: picture %s" % ("ok  " if ok else "FAIL", name, language, size))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
