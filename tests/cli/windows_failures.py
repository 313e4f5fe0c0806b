#!/usr/bin/env python3
"""The Windows velquist-merge under Wine where a run fails for its
surroundings: standard output that takes nothing (/dev/full, or closed) is an
error, and a missing temporary folder is named as such with the page left
written.
Run: windows_failures.py --windows VELQUIST_MERGE_EXE --emulator WINE --examples DIR"""

import argparse
import pathlib
import shutil
import subprocess
import sys
import tempfile

from cli_check import Suite

EARLIER = b"earlier result, must survive a failed merge"

def windows_path(path):
    """Wine's drive Z: is the Linux root."""
    return "Z:" + str(path).replace("/", "\\")


def main():
    parser = argparse.ArgumentParser()
    for option in ["--windows", "--emulator", "--examples"]:
        parser.add_argument(option, required=True)
    args = parser.parse_args()
    suite = Suite(args.windows)
    check = suite.check
    program = [args.emulator, args.windows]
    good = str(pathlib.Path(args.examples) / "trend_eurusd.htm")
    other = str(pathlib.Path(args.examples) / "scalper_gbpjpy.htm")
    tmp = pathlib.Path(tempfile.mkdtemp(prefix="velquist-windows-failures-"))

    def run(arguments, **popen):
        popen.setdefault("stdout", subprocess.PIPE)
        popen.setdefault("stderr", subprocess.PIPE)
        return subprocess.run(program + arguments, cwd=tmp, stdin=subprocess.DEVNULL,
                              timeout=300, **popen)

    def closing_stdout():
        import os
        os.close(1)

    told = "velquist-merge: cannot write to standard output: "
    for arguments in [["--languages"], ["--version"], ["--inspect", good]]:
        with open("/dev/full", "wb") as full:
            done = run(arguments, stdout=full)
        check(arguments[0] + " into /dev/full", done.returncode == 1 and
              done.stderr.decode("latin-1").startswith(told), done)
        done = run(arguments, stdout=None, preexec_fn=closing_stdout)
        check(arguments[0] + " with standard output closed", done.returncode == 1 and
              done.stderr.decode("latin-1").startswith(told), done)

    # Wine takes TMP from its registry: cmd sets it for the program.
    result = tmp / "r.htm"
    result.write_bytes(EARLIER)
    missing = windows_path(tmp / "no-temp")
    command = (f"set TMP={missing}&& set TEMP={missing}&& {windows_path(args.windows)} "
               f"-o r.htm {windows_path(good)} {windows_path(other)}")
    done = subprocess.run([args.emulator, "cmd.exe", "/c", command], cwd=tmp,
                          stdin=subprocess.DEVNULL, capture_output=True, timeout=300)
    err = done.stderr.decode("latin-1")
    check("temporary folder missing", done.returncode == 1 and err.startswith(
        f"Cannot make the chart's bitmap: the system's temporary folder \"{missing}\\\" is "
        "missing or not writable. "), err)
    check("temporary folder missing leaves the page written",
          result.read_bytes().endswith(b"</html>\r\n") and not (tmp / "r.gif").exists())

    shutil.rmtree(tmp, ignore_errors=True)
    return suite.finish()


if __name__ == "__main__":
    sys.exit(main())
