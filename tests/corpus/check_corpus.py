#!/usr/bin/env python3
"""Reads every terminal-written report of the sample corpus with
`velquist-merge --inspect` and compares the model with what the file prints,
found by an independent route: Python's HTML parser and the label texts of the
phrase data. Exits 77 (skipped) when the corpus folder is absent."""

import argparse
import codecs
import json
import pathlib
import re
import subprocess
import sys
from html.parser import HTMLParser

SKIP = 77
HEADER_KEYS = {"Symbol", "Period", "Model", "Parameters"}
NUMBER_KEYS = {"Initial deposit": "InitialDeposit", "Total net profit": "TotalNetProfit",
               "Gross profit": "GrossProfit", "Gross loss": "GrossLoss",
               "Profit factor": "ProfitFactor", "Expected payoff": "ExpectedPayoff",
               "Absolute drawdown": "AbsoluteDrawdown"}
INTEGER_KEYS = {"Bars in test": "BarsInTest", "Ticks modelled": "TicksModelled",
                "Mismatched charts errors": "MismatchedChartsErrors", "Total trades": "TotalTrades"}
# A count, then a percentage in parentheses.
COUNT_KEYS = {"Short positions (won %)": "ShortPositions", "Long positions (won %)": "LongPositions",
              "Profit trades (% of total)": "ProfitTrades", "Loss trades (% of total)": "LossTrades"}
# The one corpus report that must warn: its summary rows are blank.
EXPECTED_WARNINGS = {
    "build1470_blank_summary.htm": ["no initial deposit found; the first balance row implies 1000.00",
                                    "no total net profit found"],
}
DATE_TIME = re.compile(r"^\d{4}\.\d{2}\.\d{2}( \d{2}:\d{2})?$")


class Tables(HTMLParser):
    """Collects every table row as a list of cell texts, and the title block."""

    def __init__(self):
        super().__init__(convert_charrefs=False)
        self.rows, self.row, self.cell = [], None, None
        self.divs, self.div_text = [], None

    def handle_starttag(self, tag, attrs):
        if tag == "tr":
            if self.row is not None and self.row:
                self.rows.append(self.row)
            self.row = []
        elif tag == "td":
            self.cell = ""
        elif tag == "div" and "Times New Roman" in (dict(attrs).get("style") or ""):
            self.div_text = ""

    def handle_endtag(self, tag):
        if tag == "td" and self.cell is not None and self.row is not None:
            self.row.append(self.cell)
            self.cell = None
        elif tag == "tr" and self.row is not None:
            self.rows.append(self.row)
            self.row = None
        elif tag == "div" and self.div_text is not None:
            self.divs.append(self.div_text)
            self.div_text = None

    def handle_data(self, data):
        if self.cell is not None:
            self.cell += data
        if self.div_text is not None:
            self.div_text += data

    def handle_entityref(self, name):
        self.handle_data("&" + name)  # kept undecoded, as the report holds it

    def handle_charref(self, name):
        self.handle_data("&#" + name)


def phrase_texts(phrases_dir):
    """Every entry of the phrase data and its variants, with its text as the
    latin-1 characters of its bytes."""
    for path in sorted(pathlib.Path(phrases_dir).glob("*.json")):
        data = json.loads(path.read_text(encoding="utf-8"))
        entries = data if isinstance(data, list) else [
            dict(row, python_codec=data["python_codec"]) for row in data["rows"]]
        for entry in entries:
            yield entry, codecs.encode(entry["text"], entry["python_codec"]).decode("latin-1")


def label_texts(phrases_dir):
    """Every label text (as latin-1 characters of its bytes) -> key."""
    keys = HEADER_KEYS | set(NUMBER_KEYS) | set(INTEGER_KEYS) | set(COUNT_KEYS)
    labels = {}
    for entry, text in phrase_texts(phrases_dir):
        if text and entry["key"] in keys | {"Modelling quality"}:
            labels.setdefault(text, entry["key"])
    return labels


def corpus_reports(parser):
    """The options with --cli, --corpus and --phrases, and the corpus's reports
    (None without a corpus, which is told)."""
    for option in ["--cli", "--corpus", "--phrases"]:
        parser.add_argument(option, required=True)
    args = parser.parse_args()
    corpus = pathlib.Path(args.corpus)
    if not corpus.is_dir():
        print(f"no corpus at {corpus}: skipped")
        return args, None
    return args, sorted(corpus.glob("*/*.htm"))


def told(problems, summary):
    """Prints the problems and the summary; the exit code."""
    for problem in problems:
        print(problem)
    print(f"{summary}, {len(problems)} problems")
    return 1 if problems else 0


def trim(text):
    return "".join(text).strip("".join(chr(c) for c in range(33)))


def expected_model(path, labels):
    text = path.read_bytes().split(b"\0")[0].decode("latin-1")
    parser = Tables()
    parser.feed(text)
    expected = {}
    title = [trim(d.replace("\r", "").replace("\n", "")) for d in parser.divs]
    if len(title) >= 3:
        expected["ExpertName"] = title[1]
        server = re.match(r"^(.*?)\s*\((.*)\)\s*$", title[2])
        expected["Server"], expected["Version"] = server.groups() if server else (title[2], title[2])
    operations = []
    for row in parser.rows:
        for i, cell in enumerate(row[:-1]):
            key = labels.get(cell)
            value = trim(row[i + 1])
            if key in ("Symbol", "Period", "Model"):
                expected[key] = value
            elif key == "Parameters":
                # A "<" always opens a tag for the reader, even "< RMI >" inside a
                # parameter value, which a browser would show as text.
                joined = re.sub(r"<[^>]*>?|[\r\n]", "", row[i + 1]) + ";"
                expected["Parameters"] = joined.replace("; ;", ";")
            elif key in NUMBER_KEYS:
                expected[NUMBER_KEYS[key]] = float(value or 0)
            elif key in INTEGER_KEYS:
                expected[INTEGER_KEYS[key]] = int(value or 0)
            elif key in COUNT_KEYS:
                expected[COUNT_KEYS[key]] = int(value.split("(")[0].strip() or 0)
            elif key == "Modelling quality":
                expected["ModellingQualityText"] = value
                number = value.replace("%", "").strip()
                expected["ModellingQuality"] = 0.0 if number in ("", "n/a") else float(number)
        if len(row) >= 9 and DATE_TIME.match(row[1]):
            operations.append(expected_operation(row))
    expected["Operations"] = operations
    expected["Warnings"] = EXPECTED_WARNINGS.get(path.name, [])
    return expected


def expected_operation(row):
    cells = row + [""] * (10 - len(row))
    time = cells[1] if " " in cells[1] else cells[1] + " 00:00"
    op = {"Num": int(cells[0]), "TimeText": time, "OpType": cells[2], "Order": int(cells[3]),
          "Size": float(cells[4]), "Price": float(cells[5]), "StopLoss": float(cells[6]),
          "TakeProfit": float(cells[7]), "HasProfit": cells[8] != "", "HasBalance": cells[9] != ""}
    op["Profit"] = float(cells[8]) if cells[8] else 0.0
    op["Balance"] = float(cells[9]) if cells[9] else 0.0
    return op


def compare(path, expected, actual):
    problems = []
    for key, value in expected.items():
        if key == "Operations":
            continue
        if actual.get(key) != value:
            problems.append(f"{key}: expected {value!r}, read {actual.get(key)!r}")
    ops_expected, ops_actual = expected["Operations"], actual["Operations"]
    if len(ops_expected) != len(ops_actual):
        problems.append(f"{len(ops_expected)} operation rows, read {len(ops_actual)}")
    for index, (want, got) in enumerate(zip(ops_expected, ops_actual)):
        wrong = {k: (v, got.get(k)) for k, v in want.items() if got.get(k) != v}
        if wrong:
            problems.append(f"operation {index + 1}: {wrong}")
            break
    return [f"{path}: {p}" for p in problems]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--emulator", help="runs the program (wine for a Windows one)")
    args, reports = corpus_reports(parser)
    if reports is None:
        return SKIP
    labels = label_texts(args.phrases)
    problems = []
    for path in reports:
        command = ([args.emulator] if args.emulator else []) + [args.cli]
        run = subprocess.run(command + ["--inspect", str(path)], capture_output=True)
        if run.returncode != 0:
            problems.append(f"{path}: exit {run.returncode}: {run.stderr.decode(errors='replace')}")
            continue
        actual = json.loads(run.stdout.decode("utf-8"))
        problems += compare(path, expected_model(path, labels), actual)
    return told(problems, f"{len(reports)} reports read")


if __name__ == "__main__":
    sys.exit(main())
