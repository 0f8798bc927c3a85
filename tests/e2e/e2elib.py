"""Drives the built launcher under Wine through X for the end-to-end tests.

The display and the Wine prefix come from the environment (DISPLAY, WINEPREFIX),
as scripts/test sets them. Only the standard library and the X tools that
scripts/setup installs (xdotool, ImageMagick, xsetroot) are used.
"""

import argparse
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
WINE_RUN = os.path.join(ROOT, "scripts", "wine-run")
SKIP = 77


def resource(*parts):
    return os.path.join(ROOT, "resources", *parts)


class Image:
    """A top-down RGB picture: pixel(x, y) gives (r, g, b)."""

    def __init__(self, width, height, rgb):
        if len(rgb) != width * height * 3:
            raise ValueError("pixel data does not match %dx%d" % (width, height))
        self.width = width
        self.height = height
        self.rgb = rgb

    def pixel(self, x, y):
        if not (0 <= x < self.width and 0 <= y < self.height):
            raise IndexError("pixel (%d, %d) outside %dx%d" % (x, y, self.width, self.height))
        i = (y * self.width + x) * 3
        return tuple(self.rgb[i : i + 3])

    def crop(self, left, top, width, height):
        rows = []
        for y in range(top, top + height):
            start = (y * self.width + left) * 3
            rows.append(self.rgb[start : start + width * 3])
        return Image(width, height, b"".join(rows))


def _ppm_token(data, pos):
    """Next whitespace-separated header token of a PPM, skipping # comments."""
    while True:
        while data[pos : pos + 1].isspace():
            pos += 1
        if data[pos : pos + 1] == b"#":
            pos = data.index(b"\n", pos) + 1
            continue
        end = pos
        while end < len(data) and not data[end : end + 1].isspace():
            end += 1
        return data[pos:end], end


def parse_ppm(data):
    """Parses a binary (P6) PPM with 8-bit samples."""
    magic, pos = _ppm_token(data, 0)
    if magic != b"P6":
        raise ValueError("not a binary PPM")
    width, pos = _ppm_token(data, pos)
    height, pos = _ppm_token(data, pos)
    maxval, pos = _ppm_token(data, pos)
    width, height, maxval = int(width), int(height), int(maxval)
    if maxval != 255:
        raise ValueError("PPM with %d levels, expected 255" % maxval)
    # Exactly one whitespace byte separates the header from the samples.
    pixels = data[pos + 1 : pos + 1 + width * height * 3]
    return Image(width, height, pixels)


def read_bmp(path):
    """Reads an uncompressed 24- or 32-bit bitmap file (either row order)."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:2] != b"BM":
        raise ValueError("%s is not a bitmap file" % path)
    offset = int.from_bytes(data[10:14], "little")
    width = int.from_bytes(data[18:22], "little", signed=True)
    height = int.from_bytes(data[22:26], "little", signed=True)
    bpp = int.from_bytes(data[28:30], "little")
    compression = int.from_bytes(data[30:34], "little")
    if bpp not in (24, 32) or compression not in (0, 3):
        raise ValueError("%s: %d bits per pixel, compression %d" % (path, bpp, compression))
    top_down = height < 0
    height = abs(height)
    step = bpp // 8
    stride = (width * step + 3) & ~3
    out = bytearray(width * height * 3)
    for y in range(height):
        src_row = y if top_down else height - 1 - y
        row = data[offset + src_row * stride : offset + src_row * stride + width * step]
        dst = y * width * 3
        for x in range(width):
            b, g, r = row[x * step : x * step + 3]
            out[dst + x * 3 : dst + x * 3 + 3] = bytes((r, g, b))
    return Image(width, height, bytes(out))


def run(*args, timeout=30, check=True):
    return subprocess.run(args, check=check, timeout=timeout, capture_output=True)


def screenshot(save_as=None):
    """The whole X screen as an Image; optionally also saved as a PNG."""
    data = run("import", "-window", "root", "-depth", "8", "ppm:-").stdout
    if save_as:
        subprocess.run(["convert", "ppm:-", save_as], input=data, check=True, timeout=30, capture_output=True)
    return parse_ppm(data)


def set_root_colour(colour):
    """Paints the root window, so what lies behind a window is known."""
    run("xsetroot", "-solid", colour)


def mouse_location():
    out = run("xdotool", "getmouselocation", "--shell").stdout.decode()
    values = dict(line.split("=", 1) for line in out.splitlines() if "=" in line)
    return int(values["X"]), int(values["Y"])


def mouse_move(x, y):
    """Moves the pointer and waits until X reports it there."""
    # Not xdotool's --sync: it waits seconds when the pointer is already in place.
    run("xdotool", "mousemove", str(x), str(y))
    wait_until(lambda: mouse_location() == (x, y), timeout=2, interval=0.02)


def mouse_down(button=1):
    run("xdotool", "mousedown", str(button))


def mouse_up(button=1):
    run("xdotool", "mouseup", str(button))


def click(x, y, button=1):
    mouse_move(x, y)
    run("xdotool", "click", str(button))


def drag(x, y, dx, dy, steps=10, button=1, pause=0.05):
    """Presses at (x, y), moves by (dx, dy) in even steps, releases at the end."""
    mouse_move(x, y)
    mouse_down(button)
    time.sleep(pause * 4)
    for i in range(1, steps + 1):
        mouse_move(x + dx * i // steps, y + dy * i // steps)
        time.sleep(pause)
    mouse_up(button)


def key(*names):
    """Sends key presses by X keysym name, e.g. key("Escape") or key("alt+F4")."""
    run("xdotool", "key", "--clearmodifiers", *names)


def wait_until(predicate, timeout=10.0, interval=0.1):
    """Polls predicate until it returns something true; returns that, or None."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() >= deadline:
            return None
        time.sleep(interval)


class Launcher:
    """One run of Orvalis.exe, copied into a fresh folder so stub tools can lie beside it.

    with Launcher(exe, extra_files=[stub]) as app:
        win = app.wait_window()
        x, y, w, h = app.geometry(win)
    """

    def __init__(self, exe, extra_files=(), args=()):
        self.exe = exe
        self.extra_files = list(extra_files)
        self.args = list(args)
        self.folder = None
        self.process = None
        self.exit_code = None

    def __enter__(self):
        self.start()
        return self

    def __exit__(self, *exc):
        self.stop()
        if self.folder:
            shutil.rmtree(self.folder, ignore_errors=True)
        return False

    def start(self):
        self.folder = tempfile.mkdtemp(prefix="orvalis-e2e-")
        for path in [self.exe] + self.extra_files:
            shutil.copy2(path, self.folder)
        exe = os.path.join(self.folder, os.path.basename(self.exe))
        self.log_path = os.path.join(self.folder, "wine.log")
        self._log = open(self.log_path, "wb")
        # wine-run execs wine, and Wine's loader becomes the program's own process:
        # its PID is the one we stop.
        self.process = subprocess.Popen(
            [WINE_RUN, exe] + self.args, cwd=self.folder, stdout=self._log, stderr=subprocess.STDOUT
        )

    def running(self):
        return self.process is not None and self.process.poll() is None

    def wait_window(self, name="^Orvalis$", timeout=60.0):
        """Waits for a mapped X window whose name matches; returns its id."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if not self.running():
                raise AssertionError("Orvalis exited with %s before showing %r; log:\n%s"
                                     % (self.process.returncode, name, self.log()))
            found = run("xdotool", "search", "--onlyvisible", "--name", name, check=False).stdout.split()
            if found:
                return found[0].decode()
            time.sleep(0.2)
        raise AssertionError("no visible window named %r within %.0f s" % (name, timeout))

    def geometry(self, window):
        """(x, y, width, height) of an X window, in root coordinates."""
        out = run("xdotool", "getwindowgeometry", "--shell", window).stdout.decode()
        values = dict(line.split("=", 1) for line in out.splitlines() if "=" in line)
        return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])

    def wait_exit(self, timeout=10.0):
        """Waits for the program to end by itself; returns its exit code or None."""
        try:
            self.exit_code = self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            return None
        return self.exit_code

    def stop(self, timeout=10.0):
        """Ends the program by its PID if it still runs; returns its exit code."""
        if self.process is None:
            return None
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)
            try:
                self.process.wait(timeout=timeout)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait(timeout=timeout)
        self.exit_code = self.process.returncode
        self._log.close()
        return self.exit_code

    def log(self):
        self._log.flush()
        with open(self.log_path, "rb") as f:
            return f.read().decode(errors="replace")


def main(test_case):
    """Runs one unittest.TestCase class as an e2e test script.

    Exit codes: 0 passed, 1 failed, 77 skipped (no program yet, or every test skipped).
    """
    parser = argparse.ArgumentParser()
    parser.add_argument("--exe", default=os.path.join(ROOT, "build", "windows", "Orvalis.exe"))
    options, rest = parser.parse_known_args()
    if not os.path.isfile(options.exe):
        print("skipped: %s has not been built" % options.exe)
        sys.exit(SKIP)
    for variable in ("DISPLAY", "WINEPREFIX"):
        if not os.environ.get(variable):
            print("%s is not set: run through scripts/test" % variable, file=sys.stderr)
            sys.exit(1)
    test_case.exe = os.path.abspath(options.exe)
    suite = unittest.defaultTestLoader.loadTestsFromTestCase(test_case)
    result = unittest.TextTestRunner(verbosity=2).run(suite)
    if not result.wasSuccessful():
        sys.exit(1)
    if result.testsRun and len(result.skipped) == result.testsRun:
        sys.exit(SKIP)
    sys.exit(0)
