#!/usr/bin/env python3
"""Runs the Linux and the Windows velquist-merge on the same reports and
compares what they write byte for byte: merged pages (English and Russian,
with and without the "Symbol" column) and --inspect JSON. Both run in one
scratch folder with relative file names, each writing into a subfolder of its
own under the same names, so the pages name the same picture.
Exits 77 (skipped) when the Linux program or the corpus folder is absent,
after checking what it can."""

import argparse
import pathlib
import shutil
import subprocess
import sys
import tempfile

SKIP = 77
LANGUAGES = ["English", "Russian"]


def merged_pages(command, reports, folder, tag):
    """Every variant's page from one program, keyed by its description."""
    (folder / tag).mkdir()
    pages = {}
    for language in LANGUAGES:
        for symbol in ([], ["-s"]):
            name = f"{tag}/{language}{'-s' if symbol else ''}.htm"
            args = ["-l", language, *symbol, "-o", name, *reports]
            run = subprocess.run(command + args, cwd=folder, capture_output=True, timeout=300)
            key = f"{language}{' -s' if symbol else ''}"
            pages[key] = (run.returncode, (folder / name).read_bytes() if run.returncode == 0
                          else run.stderr)
    return pages


def inspections(command, reports, folder):
    return {r: subprocess.run(command + ["--inspect", r], cwd=folder, capture_output=True,
                              timeout=300).stdout for r in reports}


def compare(label, linux, windows):
    problems = []
    for key in linux:
        if linux[key] != windows[key]:
            problems.append(f"{label}, {key}: the outputs differ")
    return problems


def check(args, reports, label):
    with tempfile.TemporaryDirectory(prefix="velquist-same-") as scratch:
        folder = pathlib.Path(scratch)
        # Copies under plain relative names: the same arguments mean the same
        # files to both programs.
        names = []
        for index, report in enumerate(reports):
            name = f"r{index:02d}.htm"
            shutil.copyfile(report, folder / name)
            names.append(name)
        linux, windows = [args.linux], [args.emulator, args.windows]
        problems = compare(f"{label} merged", merged_pages(linux, names, folder, "linux"),
                           merged_pages(windows, names, folder, "windows"))
        problems += compare(f"{label} --inspect", inspections(linux, names, folder),
                            inspections(windows, names, folder))
    print(f"{label}: {len(reports)} reports, {len(problems)} differences")
    return problems


def main():
    parser = argparse.ArgumentParser()
    for option in ("--linux", "--windows", "--emulator", "--examples", "--corpus"):
        parser.add_argument(option, required=True)
    args = parser.parse_args()
    if not pathlib.Path(args.linux).is_file():
        print(f"no Linux program at {args.linux} (scripts/build velquist-merge): skipped")
        return SKIP
    problems = check(args, sorted(pathlib.Path(args.examples).glob("*.htm")), "examples")
    corpus = pathlib.Path(args.corpus)
    if corpus.is_dir():
        problems += check(args, sorted(corpus.glob("*/*.htm")), "corpus")
    for problem in problems:
        print(problem)
    if problems:
        return 1
    if not corpus.is_dir():
        print(f"no corpus at {corpus}: skipped")
        return SKIP
    return 0


if __name__ == "__main__":
    sys.exit(main())
