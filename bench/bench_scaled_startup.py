"""Start of Orvalis.exe to its first fully painted frame at 200% against the same at 100%.

The 200% start runs in a prefix whose display is scaled to 200% (LogPixels 192,
ORVALIS_BENCH_PREFIX_192, which scripts/bench makes), the 100% start in the
environment's own prefix (WINEPREFIX). Both are started alternately in one run,
each with KeepDesktop.exe holding its prefix's desktop up, and timed from just
before the process starts until the screen under the window equals that scale's
settled frame (from one untimed start of each). Target: 200% within 1.3x of 100%.

    bench_scaled_startup.py --build build/windows [--runs 15]
"""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import bench_startup  # noqa: E402  (the screen reader and the process helpers)

ROOT = bench_startup.ROOT
WINE_RUN = bench_startup.WINE_RUN
ROOT_COLOUR = bench_startup.ROOT_COLOUR
POLL_S = bench_startup.POLL_S
SETTLE_S = bench_startup.SETTLE_S


def scaled(length, dpi):
    return (length * dpi + 48) // 96


class Start:
    """One scale's launcher: its prefix, its window rectangle on the screen, its settled frame."""

    def __init__(self, name, exe, prefix, dpi, layout, screen):
        self.name, self.exe, self.dpi = name, exe, dpi
        self.env = dict(os.environ, WINEPREFIX=prefix)
        self.width = scaled(layout["clientWidth"], dpi)
        self.height = scaled(layout["clientHeight"], dpi)
        self.left = (screen.size[0] - self.width) // 2
        self.top = (screen.size[1] - self.height) // 2
        self.screen = screen
        self.empty = None
        self.reference = None
        self.painted = []

    def frame(self):
        return self.screen.grab(self.left, self.top, self.width, self.height)

    def run(self, exe=None):
        return subprocess.Popen([WINE_RUN, exe or self.exe], cwd=os.path.dirname(exe or self.exe), env=self.env,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def wait_empty(self):
        deadline = time.monotonic() + 15
        while self.frame() != self.empty:
            if time.monotonic() > deadline:
                raise SystemExit("bench_scaled_startup: the screen did not clear")
            time.sleep(0.02)

    def settle(self):
        self.wait_empty()
        process = self.run()
        try:
            last, since, deadline = None, time.monotonic(), time.monotonic() + 60
            while True:
                f = self.frame()
                now = time.monotonic()
                if f != last:
                    last, since = f, now
                elif f != self.empty and now - since >= SETTLE_S:
                    break
                if now > deadline or process.poll() is not None:
                    raise SystemExit("bench_scaled_startup: %s never settled" % self.name)
                time.sleep(0.05)
            self.reference = last
        finally:
            bench_startup.Bench.stop(process)
        self.wait_empty()

    def timed(self):
        self.wait_empty()
        start = time.perf_counter()
        process = self.run()
        try:
            while True:
                now = time.perf_counter() - start
                if self.frame() == self.reference:
                    break
                if now > 60 or process.poll() is not None:
                    raise SystemExit("bench_scaled_startup: %s did not reach its settled frame" % self.name)
                time.sleep(POLL_S)
        finally:
            bench_startup.Bench.stop(process)
        self.painted.append(now)
        return now


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", default=os.path.join(ROOT, "build", "windows"))
    parser.add_argument("--runs", type=int, default=15)
    options = parser.parse_args()
    prefix = os.environ.get("ORVALIS_BENCH_PREFIX_192")
    if not prefix or not os.path.isfile(os.path.join(prefix, "system.reg")):
        print("bench_scaled_startup: skipped, no prefix at 200%% (ORVALIS_BENCH_PREFIX_192): run through scripts/bench")
        return
    layout = bench_startup.launcher_layout(options.build)
    subprocess.run(["xsetroot", "-solid", ROOT_COLOUR], check=True)
    subprocess.run(["xdotool", "mousemove", "0", "0"], check=True)
    screen = bench_startup.Screen()
    with tempfile.TemporaryDirectory(prefix="orvalis-bench-") as folder:
        exe = shutil.copy2(os.path.join(options.build, "Orvalis.exe"), folder)
        keeper = shutil.copy2(os.path.join(options.build, "bench", "KeepDesktop.exe"), folder)
        starts = [Start("100%", exe, os.environ["WINEPREFIX"], 96, layout, screen),
                  Start("200%", exe, prefix, 192, layout, screen)]
        time.sleep(0.2)
        for s in starts:
            s.empty = s.frame()
        keepers = [s.run(keeper) for s in starts]
        try:
            time.sleep(2)
            for s in starts:
                s.settle()
            print("load average %s; %d timed starts of each, alternating"
                  % (" ".join("%.2f" % v for v in os.getloadavg()), options.runs))
            for i in range(options.runs):
                for s in starts if i % 2 == 0 else starts[::-1]:
                    print("  run %2d  %s %7.1f ms" % (i + 1, s.name, s.timed() * 1000))
        finally:
            for k in keepers:
                bench_startup.Bench.stop(k)
    for s in starts:
        print("%s (%d x %d) to the painted frame: median %7.1f ms  min %7.1f ms"
              % (s.name, s.width, s.height, statistics.median(s.painted) * 1000, min(s.painted) * 1000))
    ratio = statistics.median(starts[1].painted) / statistics.median(starts[0].painted)
    print("200%% / 100%%: %.2fx of the median (target <= 1.3x): %s; load average now %s"
          % (ratio, "met" if ratio <= 1.3 else "NOT met", " ".join("%.2f" % v for v in os.getloadavg())))


if __name__ == "__main__":
    main()
