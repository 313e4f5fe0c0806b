#!/usr/bin/env python3
"""Result and temporary files through velquist-merge: what a result path that
is no plain file gets, the owner and mode a replaced result keeps, writing in
place in a locked folder, a full disk, Ctrl-C and SIGTERM, and a temporary
folder left as it was found. Run: result_files.py VELQUIST_MERGE EXAMPLES_DIR"""

import os
import pathlib
import pwd
import shutil
import signal
import stat
import subprocess
import sys
import tempfile
import threading
import time

from cli_check import Suite, write_big_report

CLI, EXAMPLES = sys.argv[1], pathlib.Path(sys.argv[2])
EARLIER = b"earlier result, must survive a failed merge"
PAGE_END = b"</html>\r\n"
suite = Suite(CLI)
run, check, expect = suite.run, suite.check, suite.expect
GOOD = suite.readable_copy(EXAMPLES / "trend_eurusd.htm")
OTHER = suite.readable_copy(EXAMPLES / "scalper_gbpjpy.htm")
IS_ROOT = os.geteuid() == 0


def merge(result, **options):
    return run(["-o", str(result), GOOD, OTHER], **options)


def kind(path):
    mode = os.lstat(path).st_mode
    return {stat.S_IFLNK: "link", stat.S_IFIFO: "fifo", stat.S_IFCHR: "device",
            stat.S_IFDIR: "folder", stat.S_IFREG: "file"}.get(stat.S_IFMT(mode))


def special_targets(tmp):
    """An existing target that is no regular file is written into or refused,
    never replaced; a link is followed."""
    (tmp / "real.htm").write_bytes(EARLIER)
    os.symlink("real.htm", tmp / "link.htm")
    os.symlink("/dev/null", tmp / "null.htm")
    os.symlink("/dev/full", tmp / "full.htm")
    os.mkfifo(tmp / "unread.htm")
    (tmp / "folder.htm").mkdir()
    full = tmp / "full.htm"
    cases = [  # name, target, exit code, stderr, kind afterwards
        ("link to a file", "link.htm", 0, "", "link"),
        ("link to /dev/null", "null.htm", 0, "", "link"),
        ("link to /dev/full", "full.htm", 1,
         f'Stream write error. Cannot write file "{full}". No space left on device\n', "link"),
        ("FIFO nobody reads", "unread.htm", 1,
         f'Cannot create file "{tmp / "unread.htm"}". No such device or address\n', "fifo"),
        ("folder", "folder.htm", 1, f'Cannot create file "{tmp / "folder.htm"}". Is a directory\n',
         "folder"),
    ]
    try:
        os.mknod(tmp / "device.htm", 0o666 | stat.S_IFCHR, os.makedev(1, 3))
        cases.append(("device node", "device.htm", 0, "", "device"))
    except OSError:
        print("skip device node (cannot make one here)")
    for name, target, code, stderr, after in cases:
        expect("result is a " + name, merge(tmp / target), code, stderr)
        check("result is a " + name + " and stays one", kind(tmp / target) == after)
    check("the file a link leads to gets the page", (tmp / "real.htm").read_bytes().endswith(PAGE_END))
    check("/dev/null is still a device", kind("/dev/null") == "device")
    fifo_with_reader(tmp)


def fifo_with_reader(tmp):
    fifo = tmp / "pipe.htm"
    os.mkfifo(fifo)
    reader = os.open(fifo, os.O_RDONLY | os.O_NONBLOCK)
    received = bytearray()
    process = merge(fifo, background=True)

    def drain():
        while True:
            try:
                chunk = os.read(reader, 1 << 16)
            except BlockingIOError:
                chunk = None
            if chunk:
                received.extend(chunk)
            elif process.poll() is not None:
                return
            else:
                time.sleep(0.01)
    thread = threading.Thread(target=drain)
    thread.start()
    process.wait(timeout=120)
    thread.join()
    os.close(reader)
    check("result is a FIFO with a reader", process.returncode == 0, process.stderr.read())
    check("the FIFO's reader gets the page and it stays a FIFO",
          bytes(received).endswith(PAGE_END) and kind(fifo) == "fifo")


def owner_and_mode(tmp):
    """A replaced result keeps its owner and mode."""
    nobody = pwd.getpwnam("nobody")
    result = tmp / "owned.htm"
    result.write_bytes(EARLIER)
    os.chown(result, nobody.pw_uid, nobody.pw_gid)
    os.chmod(result, 0o640)
    expect("result of another user", merge(result), 0, "")
    info = result.stat()
    check("result of another user keeps owner, group and mode 0640",
          (info.st_uid, info.st_gid, stat.S_IMODE(info.st_mode)) == (nobody.pw_uid, nobody.pw_gid, 0o640),
          f"{info.st_uid}:{info.st_gid} {oct(info.st_mode)}")


def locked_folder(tmp):
    """Writable results in a folder the user may not write to are written in
    place, whole: an earlier file longer than the new one keeps no tail."""
    locked, free = tmp / "locked", tmp / "free"
    locked.mkdir(mode=0o755)
    free.mkdir()
    expect("result in a free folder", merge(free / "r.htm"), 0, "")
    longer = b"x" * 100000 + PAGE_END
    for name in ["r.htm", "r.gif"]:
        (locked / name).write_bytes(longer)
        os.chmod(locked / name, 0o666)
    temp = tmp / "nobody-temp"
    temp.mkdir()
    os.chmod(temp, 0o1777)
    expect("writable result in a locked folder",
           merge(locked / "r.htm", as_nobody=True, env={"TMPDIR": str(temp)}), 0, "")
    # A build without the chart (the sanitizer's) leaves the picture alone.
    has_chart = (free / "r.gif").exists()
    check("writable result in a locked folder gets the whole page and picture",
          (locked / "r.htm").read_bytes() == (free / "r.htm").read_bytes() and
          (locked / "r.gif").read_bytes() == ((free / "r.gif").read_bytes() if has_chart else longer))


def clean_temporary_folder(tmp):
    """The bitmap gets a name of its own; Qt's runtime folder goes too."""
    temp = tmp / "temp"
    temp.mkdir()
    os.chmod(temp, 0o1777)
    taken = temp / "result.bmp"
    taken.write_bytes(b"someone else's")
    if IS_ROOT:
        os.chown(taken, pwd.getpwnam("nobody").pw_uid, -1)
    expect("merge beside another file named like its bitmap",
           merge(tmp / "result.htm", env={"TMPDIR": str(temp)}, unset=["XDG_RUNTIME_DIR"]), 0, "")
    check("the temporary folder is left as it was",
          os.listdir(temp) == ["result.bmp"] and taken.read_bytes() == b"someone else's",
          str(os.listdir(temp)))


def full_disk(tmp):
    """A full file system (a tiny tmpfs in a mount namespace) names file and reason."""
    if not IS_ROOT or not shutil.which("unshare"):
        print("skip full disk (needs root and unshare)")
        return
    # A mount namespace cannot always be had (inside a chroot, say).
    if subprocess.run(["unshare", "-m", "true"], capture_output=True).returncode != 0:
        print("skip full disk (no mount namespace here)")
        return
    disk = tmp / "disk"
    disk.mkdir()
    script = ('mount -t tmpfs -o size=4k tmpfs "$1" || exit 77\n'
              'printf %s "$2" > "$1/r.htm"\n'
              '"$3" -o "$1/r.htm" "$4" "$5"\n'
              'echo "exit $?"; ls -A "$1"; cat "$1/r.htm"\n')
    done = subprocess.run(["unshare", "-m", "sh", "-c", script, "sh", str(disk), EARLIER.decode(),
                           CLI, GOOD, OTHER], capture_output=True, env=dict(
                               os.environ, QT_QPA_PLATFORM="offscreen"), timeout=120)
    if done.returncode == 77:
        print("skip full disk (cannot mount here)")
        return
    result = disk / "r.htm"
    expect("full disk", done, 0,
           f'Stream write error. Cannot write file "{result}". No space left on device\n')
    check("full disk leaves the earlier result and no temporary file",
          done.stdout == b"exit 1\nr.htm\n" + EARLIER, repr(done.stdout))
    # The shell's file for standard output on a full disk: --inspect fails.
    script = ('mount -t tmpfs -o size=4k tmpfs "$1" || exit 77\n'
              '"$2" --inspect "$3" > "$1/r.json"\n'
              'echo "exit $?"\n')
    done = subprocess.run(["unshare", "-m", "sh", "-c", script, "sh", str(disk), CLI, GOOD],
                          capture_output=True, timeout=120)
    expect("--inspect onto a full disk", done, 0,
           "velquist-merge: cannot write to standard output: No space left on device\n")
    check("--inspect onto a full disk exits 1", done.stdout == b"exit 1\n", repr(done.stdout))


def signals(tmp):
    """Ctrl-C and SIGTERM while the page is written remove the temporary file,
    and no more space than the page takes was reserved for it."""
    big = tmp / "big.htm"
    write_big_report(big, 1_000_000)
    complete = tmp / "complete.htm"
    # The generated report has no "Symbol" and the like: it warns.
    expect("large merge", run(["-o", str(complete), str(big), GOOD]), 0,
           stderr_start=f"velquist-merge: warning: {big}: ")
    folder = tmp / "signals"
    folder.mkdir()
    result = folder / "r.htm"
    for number in [signal.SIGINT, signal.SIGTERM]:
        name = signal.Signals(number).name
        result.write_bytes(EARLIER)
        process = run(["-o", str(result), str(big), GOOD], background=True)
        temporary = None
        while temporary is None and process.poll() is None:
            temporary = next((e for e in os.scandir(folder) if e.name.startswith(".vq")), None)
            time.sleep(0.001)
        if temporary is None:
            check(name + " during writing", False, "the merge ended before its file was seen")
            continue
        time.sleep(0.05)
        size = os.stat(temporary.path).st_size
        process.send_signal(number)
        process.wait(timeout=120)
        check(name + " ends the merge", process.returncode == -number, str(process.returncode))
        check(name + " leaves only the earlier result",
              os.listdir(folder) == ["r.htm"] and result.read_bytes() == EARLIER, str(os.listdir(folder)))
        check(name + ": no more reserved than the page takes", size <= complete.stat().st_size,
              f"{size} > {complete.stat().st_size}")


def environment(tmp):
    """The chart draws off-screen whatever QT_QPA_PLATFORM says (a desktop
    profile in a cron job or an ssh session, a mistyped name); a Qt that cannot
    start at all is an error before anything is read or written, never an
    abort, and leaves no temporary file."""
    folder = tmp / "environment"
    folder.mkdir()
    temp = folder / "temp"
    temp.mkdir()
    result, picture = folder / "r.htm", folder / "r.gif"
    for platform in ["xcb", "wayland", "no-such-platform"]:
        result.write_bytes(EARLIER)
        picture.write_bytes(EARLIER)
        name = f"QT_QPA_PLATFORM={platform} without a display"
        expect(name, merge(result, env={"QT_QPA_PLATFORM": platform, "TMPDIR": str(temp)},
                           unset=["DISPLAY", "WAYLAND_DISPLAY", "XDG_RUNTIME_DIR"]), 0, "")
        check(name + " writes page and picture",
              result.read_bytes().endswith(PAGE_END) and picture.read_bytes().startswith(b"GIF89a"))
    # A qt.conf beside the program sends Qt to look for its plugins elsewhere.
    program = folder / "bin" / "velquist-merge"
    program.parent.mkdir()
    shutil.copy(CLI, program)
    (program.parent / "qt.conf").write_text("[Paths]\nPlugins = /no/such/folder\n")
    result.write_bytes(EARLIER)
    picture.write_bytes(EARLIER)
    expect("Qt that cannot start", run(["-o", str(result), GOOD, OTHER], cli=str(program),
                                       env={"TMPDIR": str(temp)}, unset=["XDG_RUNTIME_DIR"]), 1,
           "Cannot start Qt to draw the balance chart: This application failed to start because "
           "no Qt platform plugin could be initialized. Reinstalling the application may fix "
           "this problem.\n")
    check("Qt that cannot start leaves page and picture and no temporary file",
          result.read_bytes() == EARLIER and picture.read_bytes() == EARLIER and
          sorted(os.listdir(folder)) == ["bin", "r.gif", "r.htm", "temp"] and not os.listdir(temp),
          f"{sorted(os.listdir(folder))} {os.listdir(temp)}")


def standard_streams(tmp):
    """A failed write of standard output or standard error is an error (exit 1),
    told on standard error as long as that takes it: /dev/full (a full disk)
    and streams the program was started without."""
    result = tmp / "streams.htm"
    cut = tmp / "cut.htm"
    cut.write_bytes(b"x\nStrategy Tester Report\n")
    told = "velquist-merge: cannot write to standard output: "
    writers = [["--languages"], ["--help"], ["--version"], ["--inspect", GOOD],
               ["-v", "-o", str(result), GOOD, OTHER]]
    with open("/dev/full", "wb") as full:
        for args in writers:
            expect(args[0] + " into /dev/full", run(args, stdout=full), 1,
                   told + "No space left on device\n")
            expect(args[0] + " with standard output closed", run(args, closed=[1]), 1,
                   told + "Bad file descriptor\n")
        warns = ["-o", str(result), GOOD, str(cut)]
        expect("warning into /dev/full", run(warns, stderr=full), 1)
        expect("warning with standard error closed", run(warns, closed=[2]), 1)
        expect("--languages with both streams into /dev/full",
               run(["--languages"], stdout=full, stderr=full), 1)
        expect("--languages with both streams closed", run(["--languages"], closed=[1, 2]), 1)
        expect("a refusal with standard error into /dev/full keeps its exit code",
               run(["--frobnicate"], stderr=full), 2)
    # Nothing to write is no failure; and a file opened later never takes the
    # closed stream's number, so the page is what it would be.
    result.unlink()
    expect("merge with standard output closed", run(["-o", str(result), GOOD, OTHER], closed=[1]),
           0, "")
    (tmp / "expected").mkdir()
    expected = tmp / "expected" / result.name
    merge(expected)
    check("merge with standard output closed writes the same page",
          result.read_bytes() == expected.read_bytes())
    expect("verbose merge with standard output closed",
           run(["-v", "-o", str(result), GOOD, OTHER], closed=[1]), 1, told + "Bad file descriptor\n")
    check("verbose merge with standard output closed writes the same page",
          result.read_bytes() == expected.read_bytes())


def main():
    tmp = pathlib.Path(tempfile.mkdtemp(prefix="velquist-results-"))
    os.chmod(tmp, 0o755)
    special_targets(tmp)
    clean_temporary_folder(tmp)
    environment(tmp)
    standard_streams(tmp)
    if suite.can_switch_user():
        owner_and_mode(tmp)
        locked_folder(tmp)
    else:
        print("skip other users' results (needs root and setpriv)")
    full_disk(tmp)
    signals(tmp)
    shutil.rmtree(tmp, ignore_errors=True)
    return suite.finish()


if __name__ == "__main__":
    sys.exit(main())
