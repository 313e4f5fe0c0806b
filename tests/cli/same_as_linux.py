#!/usr/bin/env python3
"""Runs the Linux and the Windows velquist-merge on the same reports and
compares what they write byte for byte: merged pages (English, and Russian
with the "Symbol" column) and --inspect JSON. The Windows charts
are checked as pictures: a GIF of 820 x 200 in the chart's four colours. Both run in one
scratch folder with relative file names, each writing into a subfolder of its
own under the same names, so the pages name the same picture. A
differing --inspect is run once more under Wine before it counts.
Exits 77 (skipped) when the Linux program or the corpus folder is absent,
after checking what it can."""

import argparse
import io
import pathlib
import shutil
import subprocess
import sys
import tempfile

SKIP = 77
# A Latin and a Cyrillic page, one of them with the "Symbol" column.
VARIANTS = [("English", []), ("Russian", ["-s"])]
# White ground, black frame and labels, grey grid, the blue line (web palette).
CHART_COLOURS = {(255, 255, 255), (0, 0, 0), (204, 204, 204), (0, 0, 153)}


def chart_problem(gif_bytes):
    """What is wrong with a chart GIF, or None."""
    from PIL import Image
    try:
        image = Image.open(io.BytesIO(gif_bytes))
        image.load()
    except Exception as error:  # noqa: BLE001 - any decoding failure is the finding
        return f"not a readable GIF ({error})"
    if image.format != "GIF" or image.size != (820, 200):
        return f"a {image.format} of {image.size}, not a GIF of (820, 200)"
    colours = {colour for _, colour in image.convert("RGB").getcolors()}
    if not colours <= CHART_COLOURS or (255, 255, 255) not in colours:
        return f"colours {sorted(colours)}"
    return None


def merged_pages(command, reports, folder, tag):
    """Every variant's page from one program, keyed by its description."""
    (folder / tag).mkdir()
    pages = {}
    for language, symbol in VARIANTS:
        name = f"{tag}/{language}{'-s' if symbol else ''}.htm"
        args = ["-l", language, *symbol, "-o", name, *reports]
        run = subprocess.run(command + args, cwd=folder, capture_output=True, timeout=300)
        key = f"{language}{' -s' if symbol else ''}"
        pages[key] = (run.returncode, (folder / name).read_bytes() if run.returncode == 0
                      else run.stderr)
        gif = folder / name.replace(".htm", ".gif")
        pages[key + " chart"] = gif.read_bytes() if gif.is_file() else b""
    return pages


def inspect(command, report, folder):
    return subprocess.run(command + ["--inspect", report], cwd=folder, capture_output=True,
                          timeout=300)


def inspections(command, reports, folder):
    return {r: inspect(command, r, folder).stdout for r in reports}


def confirm_inspections(problems, linux, windows_command, folder):
    """A differing --inspect is run once more under Wine, which now and then
    fails a run on a loaded machine: a difference counts only when it stays,
    and is told with what the run gave."""
    kept = []
    for report, problem in problems:
        rerun = inspect(windows_command, report, folder)
        if rerun.stdout == linux[report]:
            print(f"note: {problem}, but a second run under Wine matched")
            continue
        kept.append(f"{problem} (exit {rerun.returncode}, {len(rerun.stdout)} bytes against "
                    f"{len(linux[report])}; stderr: {rerun.stderr[:300]!r})")
    return kept


def compare(label, linux, windows):
    problems = []
    for key in linux:
        if key.endswith(" chart"):
            # Fonts and line drawing differ between the systems: the pictures
            # are checked against the rules, not against each other.
            problem = chart_problem(windows[key])
            if problem:
                problems.append(f"{label}, {key}: {problem}")
        elif linux[key] != windows[key]:
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
        linux_json = inspections(linux, names, folder)
        windows_json = inspections(windows, names, folder)
        differing = [(r, f"{label} --inspect, {r}: the outputs differ")
                     for r in names if linux_json[r] != windows_json[r]]
        problems += confirm_inspections(differing, linux_json, windows, folder)
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
