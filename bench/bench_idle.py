"""CPU time of an idle launcher: 10 s with the mouse still, then 10 s with the
mouse moving over the buttons, both measured on the launcher's own process.

A loop that waits for messages uses next to nothing at rest; a loop that spins
uses a whole core. The mouse-moving round shows what hover tracking costs.

    bench_idle.py --build build/windows [--seconds 10]
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time

from bench_startup import WINE_RUN, cpu_seconds, launcher_layout, wine_processes


def button_points(layout):
    """Client points in the middle of the nine buttons, visited in turn while moving."""
    return [(b["bounds"]["left"] + b["bounds"]["width"] // 2, b["bounds"]["top"] + b["bounds"]["height"] // 2)
            for b in layout["buttons"]]


def xdotool(*args):
    return subprocess.run(["xdotool", *map(str, args)], check=True, capture_output=True, text=True).stdout


def window_origin(timeout=30.0):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        found = subprocess.run(["xdotool", "search", "--name", "^Orvalis$"],
                               capture_output=True, text=True).stdout.split()
        if found:
            geometry = dict(line.split("=", 1) for line in xdotool("getwindowgeometry", "--shell",
                                                                    found[0]).split())
            return int(geometry["X"]), int(geometry["Y"])
        time.sleep(0.1)
    sys.exit("bench_idle: the launcher window did not appear")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", required=True)
    parser.add_argument("--seconds", type=float, default=10.0)
    options = parser.parse_args()
    points = button_points(launcher_layout(options.build))

    folder = tempfile.mkdtemp(prefix="orvalis-idle-")
    exe = shutil.copy2(os.path.join(options.build, "Orvalis.exe"), folder)
    process = subprocess.Popen([WINE_RUN, exe], cwd=folder, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    try:
        left, top = window_origin()
        xdotool("mousemove", left + 200, top + 170)  # on the skin, away from the buttons
        time.sleep(2.0)  # let start-up work settle
        # The Windows process, whatever the loader did between wine-run and it.
        launchers = wine_processes("orvalis.exe") or [process.pid]
        servers = wine_processes("wineserver")
        launcher, server = launchers[0], (servers[0] if servers else None)

        def measure(work):
            before = cpu_seconds(launcher), cpu_seconds(server) if server else 0.0
            start = time.monotonic()
            work()
            wall = time.monotonic() - start
            after = cpu_seconds(launcher), cpu_seconds(server) if server else 0.0
            return wall, after[0] - before[0], after[1] - before[1]

        def rest():
            time.sleep(options.seconds)

        def move():
            end = time.monotonic() + options.seconds
            i = 0
            while time.monotonic() < end:
                x, y = points[i % len(points)]
                xdotool("mousemove", left + x, top + y)
                i += 1
                time.sleep(0.05)

        for name, work in (("mouse still", rest), ("mouse over the buttons", move)):
            wall, cpu, server_cpu = measure(work)
            print("idle %-24s %5.1f s: launcher %.3f s CPU (%.2f%% of a core), wineserver %.3f s" %
                  (name, wall, cpu, 100.0 * cpu / wall, server_cpu))
    finally:
        process.terminate()
        try:
            process.wait(timeout=20)
        except subprocess.TimeoutExpired:
            process.kill()
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    main()
