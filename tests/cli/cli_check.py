"""What the command-line suites share: running velquist-merge (also as the
unprivileged user "nobody"), checking outcomes by exact message, copies that
nobody can read, and a large synthetic report."""

import os
import pathlib
import resource
import shutil
import signal
import subprocess
import tempfile


class Suite:
    def __init__(self, cli):
        self.cli = cli
        self.failures = []
        # Everything nobody must read or run is copied here: the project may
        # sit in a folder only its owner can enter (root's home folder).
        self.shared = pathlib.Path(tempfile.mkdtemp(prefix="velquist-shared-"))
        os.chmod(self.shared, 0o755)
        self.nobody_cli = None

    def can_switch_user(self):
        return os.geteuid() == 0 and shutil.which("setpriv") is not None

    def readable_copy(self, path):
        copy = self.shared / pathlib.Path(path).name
        shutil.copy(path, copy)
        os.chmod(copy, 0o755)
        return str(copy)

    def run(self, args, env=None, as_nobody=False, unset=(), memory_limit=None, closed=(),
            cli=None, **popen):
        command = [cli or self.cli] + args
        if as_nobody:
            self.nobody_cli = self.nobody_cli or self.readable_copy(self.cli)
            command = ["setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups",
                       self.nobody_cli] + args
        environment = dict(os.environ, QT_QPA_PLATFORM="offscreen")
        environment.update(env or {})
        for name in unset:
            environment.pop(name, None)

        def limit():
            # Signals are the default ones whatever the caller ignores.
            signal.signal(signal.SIGINT, signal.SIG_DFL)
            # A bound on memory ends a runaway read quickly instead of taking
            # the machine's memory (not under AddressSanitizer, which maps far more).
            if memory_limit and "ASAN_OPTIONS" not in os.environ:
                resource.setrlimit(resource.RLIMIT_AS, (memory_limit, memory_limit))
            # Standard streams the program is started without.
            for fd in closed:
                os.close(fd)

        # Output is captured unless the caller gives it somewhere to go.
        popen.setdefault("stdout", subprocess.PIPE)
        popen.setdefault("stderr", subprocess.PIPE)
        if popen.pop("background", False):
            return subprocess.Popen(command, env=environment, preexec_fn=limit, **popen)
        return subprocess.run(command, env=environment, timeout=300, preexec_fn=limit, **popen)

    def check(self, name, condition, detail=""):
        if not condition:
            self.failures.append(f"{name}: {detail}")
        print(("ok   " + name) if condition else f"FAIL {name}: {detail}")

    def expect(self, name, result, code, stderr=None, stderr_start=None):
        err = (result.stderr or b"").decode("latin-1")
        good = result.returncode == code and (stderr is None or err == stderr) and (
            stderr_start is None or err.startswith(stderr_start))
        self.check(name, good, f"exit {result.returncode}, stderr {err!r}")

    def finish(self):
        shutil.rmtree(self.shared, ignore_errors=True)
        print(f"{len(self.failures)} failed")
        return 1 if self.failures else 0


def write_big_report(path, rows):
    with open(path, "wb") as out:
        out.write(b"Strategy Tester Report\nBig\nServer (Build 1)\n<table><tr><td>#</td><td>Time</td></tr>\n")
        row = b"<tr><td>%d</td><td>2020.01.%02d %02d:%02d</td><td>buy</td><td>%d</td><td>0.1</td>" \
              b"<td>1.1</td><td>0</td><td>0</td><td>1.5</td><td>%d.00</td></tr>\n"
        for i in range(rows):
            out.write(row % (i + 1, 1 + i // 86400 % 28, i // 3600 % 24, i // 60 % 60, i + 1, 10000 + i))
