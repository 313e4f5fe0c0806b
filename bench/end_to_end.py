#!/usr/bin/env python3
"""End-to-end timing of velquist-merge: writes COUNT synthetic reports of ROWS
operations each, merges them with the command line (HTML and chart) three
times and prints the median wall time and the peak memory of the merge; also
the time of merging two small example reports.
  bench/end_to_end.py [COUNT [ROWS]]   (defaults 20 and 30000; run after scripts/build)"""

import os
import pathlib
import resource
import shutil
import subprocess
import sys
import tempfile
import time

ROOT = pathlib.Path(__file__).resolve().parent.parent
CLI = ROOT / "build" / "src" / "cli" / "velquist-merge"
WRITER = ROOT / "build" / "bench" / "write_reports"


def timed(args, runs):
    """The wall times of `runs` runs, shortest first."""
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        subprocess.run(args, check=True, env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
        times.append(time.perf_counter() - start)
    return sorted(times)


def main():
    count = int(sys.argv[1]) if len(sys.argv) > 1 else 20
    rows = int(sys.argv[2]) if len(sys.argv) > 2 else 30000
    folder = pathlib.Path(tempfile.mkdtemp(prefix="velquist-e2e-"))
    subprocess.run([str(WRITER), str(count), str(rows), str(folder)], check=True)
    # The reports just written go to disk first: their write-back would
    # otherwise share the cores with the merge being timed.
    os.sync()
    reports = sorted(str(p) for p in folder.glob("report*.htm"))
    size = sum(os.path.getsize(p) for p in reports) / 1e6
    walls = timed([str(CLI), "-o", str(folder / "merged.htm")] + reports, runs=3)
    peak = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss / 1024
    print(f"merge {count} x {rows} operations ({size:.0f} MB of HTML): {walls[1] * 1000:.0f} ms "
          f"wall (median of {', '.join(f'{t * 1000:.0f}' for t in walls)}), peak {peak:.0f} MB")
    examples = [str(ROOT / "examples" / "trend_eurusd.htm"), str(ROOT / "examples" / "scalper_gbpjpy.htm")]
    os.sync()  # the merged pages too
    small = timed([str(CLI), "-o", str(folder / "small.htm")] + examples, runs=5)
    print(f"merge 2 small example reports: {small[0] * 1000:.0f} ms wall (best of 5)")
    shutil.rmtree(folder)


if __name__ == "__main__":
    main()
