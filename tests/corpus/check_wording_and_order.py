#!/usr/bin/env python3
"""Copies of every terminal-written report of the sample corpus as a user may
meet them, each read and merged against the original by `velquist-merge`:

- in a wording no phrase table holds (every label cell of the header, the
  summary and the operations header made up): the same merged bytes and the
  same model;
- with the operation rows in another order (random, or sorted by profit as a
  user may sort the tester's list before saving; the alternate shading stays
  by position, as the terminal writes it): the same merged bytes and model;
- with a total net profit one cent off the balances (the terminal rounds the
  two apart): no warning; two cents: a warning;
- in the made-up wording with summary rows cut or shuffled: a warning, and
  refused by --strict.
Exits 77 (skipped) when the corpus folder is absent."""

import argparse
import hashlib
import json
import pathlib
import random
import re
import subprocess
import sys
import tempfile

from check_corpus import SKIP, corpus_reports, phrase_texts, told

TITLE = "Strategy Tester Report"
ROW = re.compile(r"<tr[^>]*>.*?</tr>", re.S | re.I)
# A cell's text runs to its closing tag; a cell the page leaves open (before
# the first summary row) is no cell.
CELL = re.compile(r"(<td[^>]*>)((?:(?!<td[\s>]).)*?)(</td>)", re.S | re.I)
DATE = re.compile(r"^\d{4}\.\d{2}\.\d{2}")
# The fields of the five-cell rows that the original reads as an earlier row
# when two of their labels share a text: a made-up wording reads them right.
CAPTION_FIELDS = {
    "Largest": ["LargestProfitTrade", "LargestLossTrade"],
    "Maximum": ["MaxConsecutiveWinsText", "MaxConsecutiveLossesText", "MaxConsecutiveWins",
                "MaxConsecutiveWinsMoney", "MaxConsecutiveLosses", "MaxConsecutiveLossesMoney"],
    "Maximal": ["MaximalConsecutiveProfitText", "MaximalConsecutiveLossText",
                "MaximalConsecutiveProfit", "MaximalConsecutiveProfitCount",
                "MaximalConsecutiveLoss", "MaximalConsecutiveLossCount"],
}
CAPTION_ORDER = ["Largest", "Average", "Maximum", "Maximal", "Average_"]


def label_texts(phrases_dir):
    """Every label text of the phrase data and its variants, as latin-1
    characters of its bytes; the title excepted."""
    return {text for _, text in phrase_texts(phrases_dir) if text and text != TITLE}


def cells(row):
    return [m.group(2) for m in CELL.finditer(row)]


def operations_header_end(page):
    """The end of the operations header row: the row above the first row of
    operations."""
    previous = None
    for match in ROW.finditer(page):
        row = cells(match.group(0))
        if len(row) >= 2 and DATE.match(row[1]):
            return previous.end()
        previous = match
    return None


def made_up(text):
    return "Qx" + hashlib.md5(text.encode("latin-1")).hexdigest()[:6]


def unknown_wording(page, labels):
    """Every label cell up to the operations header in a made-up word, the same
    word for the same text, as in a language of its own."""
    end = operations_header_end(page)

    def replace(match):
        text = match.group(2)
        return match.group(1) + (made_up(text) if text in labels else text) + match.group(3)
    return CELL.sub(replace, page[:end]) + page[end:]


def operation_rows(page):
    """(start, end, rows) of the operation rows after the operations header."""
    start = operations_header_end(page)
    rows = [m for m in ROW.finditer(page, start)]
    rows = [m for m in rows if len(cells(m.group(0))) >= 2 and DATE.match(cells(m.group(0))[1])]
    return rows[0].start(), rows[-1].end(), [m.group(0) for m in rows]


def reordered(page, order):
    """The operation rows put in another order; each place keeps its own
    opening tag, so the shading stays by position."""
    start, end, rows = operation_rows(page)
    tags = [re.match(r"<tr[^>]*>", row).group(0) for row in rows]
    bodies = [row[len(tag):] for row, tag in zip(rows, tags)]
    joined = page[start:end]
    gaps = []
    position = 0
    for row in rows:
        at = joined.index(row, position)
        gaps.append(joined[position:at])
        position = at + len(row)
    moved = order(bodies)
    middle = "".join(gap + tag + body for gap, tag, body in zip(gaps, tags, moved))
    return page[:start] + middle + page[end:]


def random_order(bodies):
    shuffled = list(bodies)
    random.Random(len(bodies)).shuffle(shuffled)
    return shuffled


def by_profit(bodies):
    def profit(body):
        row = cells(body)
        try:
            return float(row[8])
        except (IndexError, ValueError):
            return float("-inf")
    return sorted(bodies, key=profit, reverse=True)


def summary_rows(page):
    """The rows of the summary block: from the first one after "Parameters"
    (or "Model") that has six cells to the last five-cell row."""
    header = operations_header_end(page)
    rows = [m for m in ROW.finditer(page[:header]) if len(cells(m.group(0))) in (5, 6)]
    return rows


def with_rows(page, rows, new_texts):
    out, position = [], 0
    for match, text in zip(rows, new_texts):
        out.append(page[position:match.start()])
        out.append(text)
        position = match.end()
    return "".join(out) + page[position:]


def cut_row(page, index):
    rows = summary_rows(page)
    texts = [m.group(0) for m in rows]
    texts[index] = ""
    return with_rows(page, rows, texts)


def swap_rows(page, a, b):
    rows = summary_rows(page)
    texts = [m.group(0) for m in rows]
    texts[a], texts[b] = texts[b], texts[a]
    return with_rows(page, rows, texts)


def net_profit_off(page, cents):
    """The "Total net profit" value changed by some cents (first value cell of
    the first row of three money pairs)."""
    rows = summary_rows(page)
    row = rows[3].group(0)
    values = list(CELL.finditer(row))
    value = values[1]
    changed = f"{float(value.group(2)) + cents / 100:.2f}"
    new_row = row[:value.start(2)] + changed + row[value.end(2):]
    return with_rows(page, rows[3:4], [new_row])


class Runner:
    def __init__(self, cli, work):
        self.cli, self.work, self.count = cli, work, 0

    def write(self, name, page):
        self.count += 1
        folder = self.work / str(self.count)
        folder.mkdir()
        path = folder / name
        path.write_bytes(page.encode("latin-1"))
        return path

    def inspect(self, path):
        run = subprocess.run([self.cli, "--inspect", str(path)], capture_output=True)
        model = json.loads(run.stdout.decode("utf-8"))
        for key in ("FileName", "Labels"):
            model.pop(key, None)
        return model

    def merge(self, path, strict=False):
        out = path.parent / "merged" / "result.htm"
        out.parent.mkdir(exist_ok=True)
        command = [self.cli] + (["--strict"] if strict else []) + ["-o", str(out), str(path),
                                                                     str(path)]
        run = subprocess.run(command, capture_output=True, env={"QT_QPA_PLATFORM": "offscreen"})
        result = out.read_bytes() + out.with_suffix(".gif").read_bytes() if out.exists() else b""
        return run.returncode, result


def shared_caption_fields(page):
    """The model fields that the original may read wrongly: those of five-cell
    rows whose label repeats an earlier one of another row."""
    captions = [cells(m.group(0))[0] for m in summary_rows(page) if len(cells(m.group(0))) == 5]
    captions = captions[-5:]
    fields = set()
    for i, text in enumerate(captions):
        for j in range(i):
            if captions[j] == text and {CAPTION_ORDER[i], CAPTION_ORDER[j]} != {"Average",
                                                                                  "Average_"}:
                for key in (CAPTION_ORDER[i], CAPTION_ORDER[j]):
                    fields.update(CAPTION_FIELDS.get(key, []))
    return fields


def differences(expected, actual, allowed=()):
    return [f"{key}: {expected[key]!r:.60} read as {actual.get(key)!r:.60}"
            for key in expected if key not in allowed and actual.get(key) != expected[key]]


def check_report(path, labels, runner):
    problems = []
    page = path.read_bytes().split(b"\0")[0].decode("latin-1")
    original = runner.write(path.name, page)
    model = runner.inspect(original)
    merged = runner.merge(original)
    unknown = unknown_wording(page, labels)
    copies = [("unknown wording", unknown, shared_caption_fields(page)),
              ("random row order", reordered(page, random_order), ()),
              ("rows by profit", reordered(page, by_profit), ())]
    for name, text, allowed in copies:
        copy = runner.write(path.name, text)
        problems += [f"{name}: {p}" for p in differences(model, runner.inspect(copy), allowed)]
        if runner.merge(copy) != merged:
            problems.append(f"{name}: merges to other bytes")
    if model["Warnings"]:
        return problems  # a report that warns as it stands: no further cases
    for cents, warns in ((1, False), (-1, False), (2, True)):
        warnings = runner.inspect(runner.write(path.name, net_profit_off(page, cents)))["Warnings"]
        if bool(warnings) != warns:
            problems.append(f"net profit {cents:+} cent: warnings {warnings}")
    layouts = [("row cut", cut_row(unknown, 0)), ("rows swapped", swap_rows(unknown, 3, 5))]
    for name, text in layouts:
        copy = runner.write(path.name, text)
        warnings = runner.inspect(copy)["Warnings"]
        if not any("layout is not one this program knows" in w for w in warnings):
            problems.append(f"{name}: no layout warning but {warnings}")
        if runner.merge(copy, strict=True)[0] != 1:
            problems.append(f"{name}: --strict does not refuse it")
    return problems


def main():
    args, reports = corpus_reports(argparse.ArgumentParser())
    if reports is None:
        return SKIP
    labels = label_texts(args.phrases)
    problems = []
    with tempfile.TemporaryDirectory(prefix="velquist-wording-") as work:
        runner = Runner(args.cli, pathlib.Path(work))
        for path in reports:
            problems += [f"{path.name}: {p}" for p in check_report(path, labels, runner)]
    return told(problems, f"{len(reports)} reports")


if __name__ == "__main__":
    sys.exit(main())
