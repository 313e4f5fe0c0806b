#!/usr/bin/env python3
"""Bad input through velquist-merge: every case states the exact outcome
(message and exit code, or the reading rule that applies) and checks that an
earlier result file was not damaged. Run: bad_inputs.py VELQUIST_MERGE EXAMPLES_DIR"""

import os
import pathlib
import resource
import shutil
import subprocess
import sys
import tempfile
import threading
import time

from cli_check import Suite, write_big_report

CLI, EXAMPLES = sys.argv[1], pathlib.Path(sys.argv[2])
GOOD = str(EXAMPLES / "trend_eurusd.htm")
OTHER = str(EXAMPLES / "scalper_gbpjpy.htm")
EARLIER = b"earlier result, must survive a failed merge"
suite = Suite(CLI)
run, check, expect = suite.run, suite.check, suite.expect


def warned(path, text):
    return f"velquist-merge: warning: {path}: {text}"


NO_REPORT = 'not a strategy tester report: no "Strategy Tester Report" title found'
UTF16 = ("the file is UTF-16 text; the terminal writes reports in an 8-bit code page: "
         "save it again as such")


def operations_in(path):
    return pathlib.Path(path).read_bytes().count(b"<tr align=right>") + \
        pathlib.Path(path).read_bytes().count(b'<tr bgcolor="#E0E0E0" align=right>')


def main():
    tmp = pathlib.Path(tempfile.mkdtemp(prefix="velquist-bad-"))
    os.chmod(tmp, 0o755)
    result = tmp / "result.htm"

    def fresh_result():
        result.write_bytes(EARLIER)
        return str(result)

    def untouched(name):
        check(name + " leaves the earlier result", result.read_bytes() == EARLIER)

    missing = str(tmp / "missing.htm")
    expect("missing file", run(["-o", fresh_result(), GOOD, missing]), 1,
           f'Cannot open file "{missing}". No such file or directory\n')
    untouched("missing file")

    folder = tmp / "folder.htm"
    folder.mkdir()
    expect("folder as file", run(["-o", fresh_result(), GOOD, str(folder)]), 1,
           f'Cannot open file "{folder}". Is a directory\n')
    untouched("folder as file")

    if suite.can_switch_user():
        good, other = suite.readable_copy(GOOD), suite.readable_copy(OTHER)
        secret = tmp / "secret.htm"
        shutil.copy(OTHER, secret)
        os.chmod(secret, 0o000)
        os.chmod(result, 0o666)
        fresh_result()
        expect("unreadable file", run(["-o", str(result), good, str(secret)], as_nobody=True), 1,
               f'Cannot open file "{secret}". Permission denied\n')
        untouched("unreadable file")
        locked = tmp / "locked"
        locked.mkdir(mode=0o755)
        target = locked / "r.htm"
        target.write_bytes(EARLIER)
        expect("read-only result folder", run(["-o", str(target), good, other], as_nobody=True), 1,
               f'Cannot create file "{target}". Permission denied\n')
        check("read-only result folder keeps the earlier file", target.read_bytes() == EARLIER)
    else:
        print("skip permission cases (needs root and setpriv)")

    # Files that are no report contribute no operations; the merge goes on with
    # a warning.
    cases = {
        "empty file": b"",
        "binary noise": os.urandom(200_000),
        "NUL bytes": b"\0" * 1000 + open(OTHER, "rb").read(),
        "unterminated tags": b"<td" * 300_000 + b"<" * 300_000,
        "deeply nested tags": b"<div>" * 200_000 + b"x" + b"</div>" * 200_000,
    }
    for name, data in cases.items():
        path = tmp / (name.replace(" ", "_") + ".htm")
        path.write_bytes(data)
        expect(name, run(["-o", fresh_result(), GOOD, str(path)]), 0,
               stderr_start=warned(path, NO_REPORT))
        check(name + " adds no operations", operations_in(result) == operations_in_file(GOOD))
    expect("no report with --strict", run(["--strict", "-o", fresh_result(), GOOD, str(path)]), 1,
           f"{path}: {NO_REPORT}\n")
    untouched("no report with --strict")

    # A report saved again as UTF-16 is told as that, and only that.
    text = open(OTHER, "rb").read().decode("latin-1")
    for encoding in ["utf-16", "utf-16-be", "utf-16-le"]:
        path = tmp / (encoding + ".htm")
        path.write_bytes(text.encode(encoding))
        expect(encoding + " file", run(["-o", fresh_result(), GOOD, str(path)]), 0,
               warned(path, UTF16) + "\n")
    expect("UTF-16 with --strict", run(["--strict", "-o", fresh_result(), GOOD, str(path)]), 1,
           f"{path}: {UTF16}\n")
    untouched("UTF-16 with --strict")

    bom = tmp / "bom.htm"
    bom.write_bytes(b"\xef\xbb\xbf" + open(OTHER, "rb").read())
    expect("UTF-8 with byte order mark", run(["-o", fresh_result(), GOOD, str(bom)]), 0, "")
    check("UTF-8 with byte order mark is read as a report",
          operations_in(result) == operations_in_file(GOOD) + operations_in_file(OTHER))

    line = tmp / "one_line.htm"
    line.write_bytes(b"x" * 100_000_000)
    expect("100 MB single-line file", run(["-o", fresh_result(), GOOD, str(line)]), 0,
           stderr_start=warned(line, NO_REPORT))

    expect("result folder that does not exist",
           run(["-o", str(tmp / "nowhere" / "r.htm"), GOOD, OTHER]), 1,
           f'Cannot create file "{tmp / "nowhere" / "r.htm"}". No such file or directory\n')

    same = tmp / "same.htm"
    shutil.copy(GOOD, same)
    expect("result name equal to an input", run(["-o", str(same), str(same), OTHER]), 0, "")
    check("result name equal to an input holds both reports",
          operations_in(same) == operations_in_file(GOOD) + operations_in_file(OTHER))

    temporary_folder(tmp, fresh_result)
    overflowing_sums(tmp, fresh_result)

    big = tmp / "million.htm"
    write_big_report(big, 1_000_000)
    expect("1,000,000 operation rows", run(["-o", fresh_result(), str(big), GOOD]), 0,
           stderr_start=warned(big, 'no "Symbol" label found'))
    peak = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss / 1024
    check("1,000,000 operation rows all merged",
          operations_in(result) == 1_000_000 + operations_in_file(GOOD))
    print(f"peak memory of the largest run: {peak:.0f} MB (input {big.stat().st_size / 1e6:.0f} MB)")

    endless_inputs(tmp, fresh_result)

    shutil.rmtree(tmp, ignore_errors=True)
    return suite.finish()


def temporary_folder(tmp, fresh_result):
    """A temporary folder that is missing or not writable is named as such; the
    page, written before the chart, stays."""
    result = tmp / "result.htm"
    cases = [("missing", tmp / "no-temp", False, "No such file or directory")]
    if suite.can_switch_user():
        locked = tmp / "locked-temp"
        locked.mkdir(mode=0o755)
        cases.append(("not writable", locked, True, "Permission denied"))
    for name, folder, as_nobody, reason in cases:
        reports = [GOOD, OTHER]
        if as_nobody:
            os.chmod(fresh_result(), 0o666)
            reports = [suite.readable_copy(path) for path in reports]
        done = run(["-o", fresh_result()] + reports, env={"TMPDIR": str(folder)},
                   as_nobody=as_nobody)
        # Qt may say first that it cannot make its runtime folder there.
        told = (f'Cannot make the chart\'s bitmap: the temporary folder "{folder}/" (TMPDIR) is '
                f"missing or not writable. {reason}\n")
        check("temporary folder " + name, done.returncode == 1 and
              done.stderr.decode("latin-1").endswith(told), done.stderr.decode("latin-1"))
        check("temporary folder " + name + " leaves the HTML written",
              result.read_bytes() != EARLIER and result.read_bytes().endswith(b"</html>\r\n"))


def overflowing_sums(tmp, fresh_result):
    """Money whose sums overflow is warned about and never written as "INF" or
    "NAN": the error names the file, and nothing is written."""
    huge = tmp / "huge.htm"
    row = (b"<tr><td>%d</td><td>2020.01.0%d 10:00</td><td>buy</td><td>%d</td><td>0.1</td>"
           b"<td>1.1</td><td>0</td><td>0</td><td>1e308</td><td>1e308</td></tr>\n")
    huge.write_bytes(b"Strategy Tester Report\nHuge\nServer (Build 1)\n"
                     b"<table><tr><td>#</td><td>Time</td></tr>\n" + row % (1, 2, 1) + row % (2, 3, 2))
    done = run(["-o", fresh_result(), GOOD, str(huge)])
    expect("sums that overflow", done, 1)
    err = done.stderr.decode("latin-1")
    check("sums that overflow are warned about, named, and nothing is written",
          err.endswith(f'The merged report\'s sums overflow from "{huge}" on; nothing was written\n')
          and warned(huge, "money that no account holds") in err and
          (tmp / "result.htm").read_bytes() == EARLIER, err[-400:])


def endless_inputs(tmp, fresh_result):
    """Inputs without an end are read up to a bound, never until memory runs
    out (the memory limit makes a runaway read fail fast)."""
    limit = 4 << 30
    for device in ["/dev/zero", "/dev/urandom"]:
        expect(device + " as a report", run(["-o", fresh_result(), GOOD, device],
                                            memory_limit=limit), 0,
               stderr_start=warned(device, NO_REPORT))
        check(device + " adds no operations", operations_in(tmp / "result.htm") == operations_in_file(GOOD))

    growing = tmp / "growing.htm"
    shutil.copy(OTHER, growing)
    stop = threading.Event()

    def grow():
        size = growing.stat().st_size
        while not stop.is_set():
            size += 64 << 20
            os.truncate(growing, size)
            time.sleep(0.001)
    grower = threading.Thread(target=grow)
    grower.start()
    try:
        grown = run(["-o", fresh_result(), GOOD, str(growing)], memory_limit=limit)
    finally:
        stop.set()
        grower.join()
    expect("report that keeps growing", grown, 0, "")
    check("report that keeps growing is read as it was",
          operations_in(tmp / "result.htm") == operations_in_file(GOOD) + operations_in_file(OTHER))

    producer = subprocess.Popen(["yes", "x" * 100], stdout=subprocess.PIPE)
    endless = run(["-o", fresh_result(), GOOD, "/dev/stdin"], memory_limit=limit, stdin=producer.stdout)
    producer.kill()
    producer.wait()
    expect("endless pipe", endless, 1, 'Cannot read file "/dev/stdin". '
           'It is not a regular file and is longer than 256 MiB\n')
    check("endless pipe leaves the earlier result", (tmp / "result.htm").read_bytes() == EARLIER)


def operations_in_file(path):
    data = pathlib.Path(path).read_bytes()
    return data.count(b'<td class=msdate>')


if __name__ == "__main__":
    sys.exit(main())
