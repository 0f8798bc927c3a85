"""Cold start of Orvalis.exe to its first fully painted frame, against BarePopup.exe.

Both programs are started under Wine on the display and prefix of the
environment (DISPLAY, WINEPREFIX: scripts/bench sets them), alternating, and
timed from just before the process is started until the screen under the
window equals that program's settled frame. The settled frame comes from one
untimed start of each: for the bare program it must be its bitmap, for the
launcher the skin cut to its shape with the launcher's controls on it. The
screen is read with XGetImage every few milliseconds; the programs are not
changed for the measurement.

Two rounds: "warm Wine", with KeepDesktop.exe holding Wine's desktop and system
processes up as Windows always has them, so only the programs' own start is
timed; and "cold Wine", where every start waits until Wine has ended its desktop
process, so each start also pays for bringing Wine's desktop up again.

    bench_startup.py --build build/windows [--runs 15] [--cold-runs 7]
"""

import argparse
import ctypes
import ctypes.util
import json
import os
import shutil
import signal
import statistics
import subprocess
import tempfile
import time

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))
WINE_RUN = os.path.join(ROOT, "scripts", "wine-run")
WIDTH, HEIGHT = 0, 0  # the launcher's client size, from the layout the build writes
ROOT_COLOUR = "#2050a0"  # behind the windows: the launcher's cut corners show it
POLL_S = 0.002
SETTLE_S = 1.5


def launcher_layout(build):
    """The launcher's layout facts, as the build writes them from ui/LauncherLayout.h."""
    path = os.path.join(build, "generated", "launcher-layout.json")
    try:
        with open(path) as f:
            return json.load(f)
    except OSError as error:
        raise SystemExit("bench: cannot read the launcher's layout: %s" % error)


def wine_processes(name):
    """PIDs of processes named name (e.g. explorer.exe) that run in our Wine prefix."""
    prefix = os.environ["WINEPREFIX"].encode()
    found = []
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open("/proc/%s/cmdline" % pid, "rb") as f:
                cmdline = f.read()
            with open("/proc/%s/environ" % pid, "rb") as f:
                environ = f.read().split(b"\0")
        except OSError:
            continue
        if name.encode() in cmdline.lower() and b"WINEPREFIX=" + prefix in environ:
            found.append(int(pid))
    return found


class XImage(ctypes.Structure):
    # The leading fields of Xlib's XImage, the only ones read here.
    _fields_ = [
        ("width", ctypes.c_int),
        ("height", ctypes.c_int),
        ("xoffset", ctypes.c_int),
        ("format", ctypes.c_int),
        ("data", ctypes.c_void_p),
        ("byte_order", ctypes.c_int),
        ("bitmap_unit", ctypes.c_int),
        ("bitmap_bit_order", ctypes.c_int),
        ("bitmap_pad", ctypes.c_int),
        ("depth", ctypes.c_int),
        ("bytes_per_line", ctypes.c_int),
        ("bits_per_pixel", ctypes.c_int),
    ]


class Screen:
    """Reads rectangles of the X screen as raw 32-bit pixels (blue, green, red, pad)."""

    ZPIXMAP = 2

    def __init__(self):
        self.x = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
        self.x.XOpenDisplay.restype = ctypes.c_void_p
        self.x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x.XDefaultRootWindow.restype = ctypes.c_ulong
        self.x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.x.XDisplayWidth.argtypes = [ctypes.c_void_p, ctypes.c_int]
        self.x.XDisplayHeight.argtypes = [ctypes.c_void_p, ctypes.c_int]
        self.x.XGetImage.restype = ctypes.POINTER(XImage)
        self.x.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                     ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        self.x.XFree.argtypes = [ctypes.c_void_p]
        self.display = self.x.XOpenDisplay(None)
        if not self.display:
            raise SystemExit("bench_startup: cannot open the display %r" % os.environ.get("DISPLAY"))
        self.root = self.x.XDefaultRootWindow(self.display)
        self.size = (self.x.XDisplayWidth(self.display, 0), self.x.XDisplayHeight(self.display, 0))

    def grab(self, left, top, width, height):
        image = self.x.XGetImage(self.display, self.root, left, top, width, height, ~0 & 0xFFFFFFFFFFFFFFFF,
                                 self.ZPIXMAP)
        if not image:
            raise RuntimeError("XGetImage failed")
        try:
            im = image.contents
            if im.bits_per_pixel != 32:
                raise RuntimeError("screen has %d bits per pixel, expected 32" % im.bits_per_pixel)
            data = ctypes.string_at(im.data, im.bytes_per_line * height)
            if im.bytes_per_line != width * 4:
                rows = [data[y * im.bytes_per_line : y * im.bytes_per_line + width * 4] for y in range(height)]
                data = b"".join(rows)
            return data
        finally:
            # XDestroyImage is a macro; for an image from XGetImage it frees these two.
            self.x.XFree(image.contents.data)
            self.x.XFree(image)


def read_skin(path):
    """A 24-bit bitmap file as rows of (r, g, b), top row first."""
    with open(path, "rb") as f:
        data = f.read()
    offset = int.from_bytes(data[10:14], "little")
    width = int.from_bytes(data[18:22], "little", signed=True)
    height = int.from_bytes(data[22:26], "little", signed=True)
    if data[:2] != b"BM" or int.from_bytes(data[28:30], "little") != 24:
        raise SystemExit("bench_startup: %s is not a 24-bit bitmap file" % path)
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(abs(height)):
        src = y if height < 0 else abs(height) - 1 - y
        row = data[offset + src * stride : offset + src * stride + width * 3]
        rows.append([(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]) for x in range(width)])
    return rows


def cpu_seconds(pid):
    """User plus system CPU time of a process so far, all its threads."""
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def rgb_at(frame, x, y):
    i = (y * WIDTH + x) * 4
    return frame[i + 2], frame[i + 1], frame[i]


class Program:
    def __init__(self, name, exe):
        self.name = name
        self.exe = exe
        self.reference = None
        self.painted = {}  # round -> seconds to the settled frame, per timed run
        self.appeared = {}  # round -> seconds to the first changed pixel, per timed run
        self.cpu = {}  # round -> CPU seconds of the program's process up to its settled frame

    def copy_to(self, folder):
        """Runs a copy in a folder of its own: a rebuild during the benchmark cannot touch it."""
        os.makedirs(folder)
        self.exe = shutil.copy2(self.exe, folder)

    def start(self):
        # wine-run execs wine, whose loader becomes the program's process: its PID is ours to stop.
        return subprocess.Popen([WINE_RUN, self.exe], cwd=os.path.dirname(self.exe),
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


class Bench:
    def __init__(self, screen):
        self.screen = screen
        self.left = (screen.size[0] - WIDTH) // 2
        self.top = (screen.size[1] - HEIGHT) // 2
        self.empty = None

    def frame(self):
        return self.screen.grab(self.left, self.top, WIDTH, HEIGHT)

    def wait_for(self, predicate, timeout, what):
        deadline = time.monotonic() + timeout
        while not predicate(self.frame()):
            if time.monotonic() > deadline:
                raise SystemExit("bench_startup: timed out waiting for %s" % what)
            time.sleep(0.02)

    def wait_empty(self):
        self.wait_for(lambda f: f == self.empty, 15, "the screen to be clear")

    @staticmethod
    def stop(process):
        if process.poll() is None:
            process.send_signal(signal.SIGTERM)
            try:
                process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait(timeout=10)

    def settle(self, program):
        """Starts the program once, untimed; its frame once unchanged for a while is the reference."""
        self.wait_empty()
        process = program.start()
        try:
            deadline = time.monotonic() + 60
            last, since = None, time.monotonic()
            while True:
                if process.poll() is not None:
                    raise SystemExit("bench_startup: %s exited with %s" % (program.name, process.returncode))
                f = self.frame()
                now = time.monotonic()
                if f != last:
                    last, since = f, now
                elif f != self.empty and now - since >= SETTLE_S:
                    break
                if now > deadline:
                    raise SystemExit("bench_startup: %s never settled" % program.name)
                time.sleep(0.05)
            program.reference = last
        finally:
            self.stop(process)
        self.wait_empty()

    def timed_run(self, program, round_name, cold):
        self.wait_empty()
        if cold:
            deadline = time.monotonic() + 20
            while wine_processes("explorer.exe"):
                if time.monotonic() > deadline:
                    raise SystemExit("bench_startup: Wine's desktop process did not end")
                time.sleep(0.1)
        start = time.perf_counter()
        process = program.start()
        appeared = None
        try:
            while True:
                f = self.frame()
                now = time.perf_counter() - start
                if appeared is None and f != self.empty:
                    appeared = now
                if f == program.reference:
                    cpu = cpu_seconds(process.pid)
                    break
                if process.poll() is not None:
                    raise SystemExit("bench_startup: %s exited with %s" % (program.name, process.returncode))
                if now > 60:
                    raise SystemExit("bench_startup: %s did not reach its settled frame" % program.name)
                time.sleep(POLL_S)
        finally:
            self.stop(process)
        program.painted.setdefault(round_name, []).append(now)
        program.appeared.setdefault(round_name, []).append(appeared)
        program.cpu.setdefault(round_name, []).append(cpu)
        return now


def check_bare(reference, skin):
    wrong = sum(1 for y in range(HEIGHT) for x in range(WIDTH) if rgb_at(reference, x, y) != skin[y][x])
    if wrong:
        raise SystemExit("bench_startup: the bare program's frame differs from its bitmap in %d pixels" % wrong)
    print("bare frame: the bitmap, all %d pixels" % (WIDTH * HEIGHT))


def check_launcher(reference, empty, skin):
    behind = rgb_at(empty, 0, 0)
    cut_wrong = face = face_skin = 0
    for y in range(HEIGHT):
        for x in range(WIDTH):
            seen = rgb_at(reference, x, y)
            if x == WIDTH - 1 or skin[y][x] == (255, 0, 255):
                cut_wrong += seen != behind
            else:
                face += 1
                face_skin += seen == skin[y][x]
    if cut_wrong:
        raise SystemExit("bench_startup: %d pixels outside the launcher's shape are not the background" % cut_wrong)
    print("launcher frame: shaped (cut pixels show the background); %d of %d face pixels are the skin's,"
          " the rest its controls" % (face_skin, face))
    if face_skin < face // 2:
        # Still a valid start to time, but not the launcher as it should look.
        print("warning: under half of the launcher's face is its skin; is its artwork missing?")


def ms(seconds):
    return "%7.1f ms" % (seconds * 1000)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", default=os.path.join(ROOT, "build", "windows"))
    parser.add_argument("--runs", type=int, default=15, help="timed starts of each program, warm Wine")
    parser.add_argument("--cold-runs", type=int, default=7, help="timed starts of each program, cold Wine")
    options = parser.parse_args()
    global WIDTH, HEIGHT
    layout = launcher_layout(options.build)
    WIDTH, HEIGHT = layout["clientWidth"], layout["clientHeight"]
    for variable in ("DISPLAY", "WINEPREFIX"):
        if not os.environ.get(variable):
            raise SystemExit("bench_startup: %s is not set: run through scripts/bench" % variable)
    launcher = Program("Orvalis", os.path.join(options.build, "Orvalis.exe"))
    bare = Program("BarePopup", os.path.join(options.build, "bench", "BarePopup.exe"))
    keeper = Program("KeepDesktop", os.path.join(options.build, "bench", "KeepDesktop.exe"))
    for program in (launcher, bare, keeper):
        if not os.path.isfile(program.exe):
            raise SystemExit("bench_startup: %s has not been built" % program.exe)

    with tempfile.TemporaryDirectory(prefix="orvalis-bench-") as folder:
        for program in (launcher, bare, keeper):
            program.copy_to(os.path.join(folder, program.name))
        run_all(options, launcher, bare, keeper)


def run_all(options, launcher, bare, keeper):
    subprocess.run(["xsetroot", "-solid", ROOT_COLOUR], check=True)
    # Keep the pointer off the launcher, so no button shows its hover picture.
    subprocess.run(["xdotool", "mousemove", "0", "0"], check=True)
    screen = Screen()
    bench = Bench(screen)
    time.sleep(0.2)
    bench.empty = bench.frame()
    print("screen %dx%d, window at (%d, %d)" % (screen.size[0], screen.size[1], bench.left, bench.top))

    skin = read_skin(os.path.join(ROOT, "resources", "skin.bmp"))
    bench.settle(bare)
    check_bare(bare.reference, skin)
    bench.settle(launcher)
    check_launcher(launcher.reference, bench.empty, skin)

    keeping = keeper.start()
    try:
        # The keeper joins the desktop before the first timed start.
        time.sleep(2)
        warm = measure(bench, launcher, bare, "warm Wine", False, options.runs)
    finally:
        Bench.stop(keeping)
    cold = measure(bench, launcher, bare, "cold Wine", True, options.cold_runs)
    print()
    print("start-up target (<= 1.2x the bare program's median): warm Wine %s, cold Wine %s"
          % ("met" if warm else "NOT met", "met" if cold else "NOT met"))


def measure(bench, launcher, bare, round_name, cold, runs):
    """Alternating timed starts of both programs; prints the figures, returns whether the target holds."""
    print()
    print("%s: %d timed starts of each, alternating; load average %s"
          % (round_name, runs, " ".join("%.2f" % v for v in os.getloadavg())))
    for i in range(runs):
        for program in (bare, launcher) if i % 2 == 0 else (launcher, bare):
            t = bench.timed_run(program, round_name, cold)
            print("  run %2d  %-9s %s  (first pixels %s, CPU %s)"
                  % (i + 1, program.name, ms(t), ms(program.appeared[round_name][-1]),
                     ms(program.cpu[round_name][-1])))
    for program in (bare, launcher):
        painted = program.painted[round_name]
        print("%s  %-9s to the painted frame: median %s  min %s;  first pixels: median %s;"
              "  CPU: median %s"
              % (round_name, program.name, ms(statistics.median(painted)), ms(min(painted)),
                 ms(statistics.median(program.appeared[round_name])),
                 ms(statistics.median(program.cpu[round_name]))))
    ratio = statistics.median(launcher.painted[round_name]) / statistics.median(bare.painted[round_name])
    ratio_min = min(launcher.painted[round_name]) / min(bare.painted[round_name])
    met = ratio <= 1.2
    print("%s  Orvalis / BarePopup: %.2fx of the median (target <= 1.2x): %s; %.2fx of the minimum"
          % (round_name, ratio, "met" if met else "NOT met", ratio_min))
    return met

if __name__ == "__main__":
    main()
