"""Drives the built launcher under Wine through X for the end-to-end tests.

The display and the Wine prefix come from the environment (DISPLAY, WINEPREFIX),
as scripts/test sets them. Only the standard library and the X tools that
scripts/setup installs (xdotool, ImageMagick, xsetroot) are used.
"""

import argparse
import json
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest
import zlib

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


def read_png(path):
    """(width, height, channels, rows of bytes) of an 8-bit RGB or RGBA PNG that is not interlaced."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("%s is not a PNG file" % path)
    pos, idat, header = 8, [], None
    while pos < len(data):
        length = int.from_bytes(data[pos : pos + 4], "big")
        kind, body = data[pos + 4 : pos + 8], data[pos + 8 : pos + 8 + length]
        pos += 12 + length
        if kind == b"IHDR":
            header = body
        elif kind == b"IDAT":
            idat.append(body)
        elif kind == b"IEND":
            break
    width, height = int.from_bytes(header[0:4], "big"), int.from_bytes(header[4:8], "big")
    depth, colour, interlace = header[8], header[9], header[12]
    if depth != 8 or colour not in (2, 6) or interlace:
        raise ValueError("%s: depth %d, colour type %d, interlace %d" % (path, depth, colour, interlace))
    channels = 3 if colour == 2 else 4
    raw = zlib.decompress(b"".join(idat))
    stride = width * channels
    rows, prev = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1 : (y + 1) * (stride + 1)])
        if kind == 1:
            for i in range(channels, stride):
                line[i] = (line[i] + line[i - channels]) & 0xFF
        elif kind == 2:
            line = bytearray((a + b) & 0xFF for a, b in zip(line, prev))
        elif kind == 3:
            for i in range(stride):
                left = line[i - channels] if i >= channels else 0
                line[i] = (line[i] + ((left + prev[i]) >> 1)) & 0xFF
        elif kind == 4:
            for i in range(stride):
                a = line[i - channels] if i >= channels else 0
                b, c = prev[i], prev[i - channels] if i >= channels else 0
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 0xFF
        elif kind != 0:
            raise ValueError("%s: filter %d" % (path, kind))
        rows.append(bytes(line))
        prev = line
    return width, height, channels, rows


def read_png_rgb(path):
    width, height, channels, rows = read_png(path)
    if channels == 3:
        return Image(width, height, b"".join(rows))
    return Image(width, height, b"".join(bytes(v for i, v in enumerate(row) if i % 4 != 3) for row in rows))


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

    def __init__(self, exe, extra_files=(), args=(), subfolder=None, env=None):
        self.exe = exe
        self.extra_files = list(extra_files)
        self.args = list(args)
        self.subfolder = subfolder  # the launcher's folder below the scratch folder, any name or depth
        self.env = env  # variables added to the launcher's environment
        self.root = None
        self.folder = None
        self.process = None
        self.exit_code = None

    def __enter__(self):
        self.start()
        return self

    def __exit__(self, *exc):
        self.stop()
        if self.root:
            shutil.rmtree(self.root, ignore_errors=True)
        return False

    def start(self):
        self.root = tempfile.mkdtemp(prefix="orvalis-e2e-")
        self.folder = os.path.join(self.root, self.subfolder) if self.subfolder else self.root
        os.makedirs(self.folder, exist_ok=True)
        # An extra file is a path, or (path, name) to copy it under another name.
        for item in [self.exe] + self.extra_files:
            path, name = item if isinstance(item, tuple) else (item, os.path.basename(item))
            shutil.copy2(path, os.path.join(self.folder, name))
        exe = os.path.join(self.folder, os.path.basename(self.exe))
        self.log_path = os.path.join(self.folder, "wine.log")
        self._log = open(self.log_path, "wb")
        # wine-run execs wine, and Wine's loader becomes the program's own process:
        # its PID is the one we stop.
        self.process = subprocess.Popen(
            [WINE_RUN, exe] + self.args, cwd=self.folder, stdout=self._log, stderr=subprocess.STDOUT,
            env=dict(os.environ, **self.env) if self.env else None,
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
    parser.add_argument("--stub", default=os.path.join(ROOT, "build", "windows", "tests", "e2e", "stubtool",
                                                       "orvalis_stubtool.exe"))
    parser.add_argument("--probelib", default=os.path.join(ROOT, "build", "windows", "tests", "e2e", "probelib",
                                                           "orvalis_probelib.dll"))
    parser.add_argument("--syscommand", default=os.path.join(ROOT, "build", "windows", "tests", "e2e", "syscommand",
                                                             "orvalis_syscommand.exe"))
    options, rest = parser.parse_known_args()
    if not os.path.isfile(options.exe):
        print("skipped: %s has not been built" % options.exe)
        sys.exit(SKIP)
    for variable in ("DISPLAY", "WINEPREFIX"):
        if not os.environ.get(variable):
            print("%s is not set: run through scripts/test" % variable, file=sys.stderr)
            sys.exit(1)
    test_case.exe = os.path.abspath(options.exe)
    # The stub tool is optional: scripts that need it skip without it.
    test_case.stub = os.path.abspath(options.stub) if os.path.isfile(options.stub) else None
    test_case.probelib = os.path.abspath(options.probelib) if os.path.isfile(options.probelib) else None
    test_case.syscommand = os.path.abspath(options.syscommand) if os.path.isfile(options.syscommand) else None
    suite = unittest.defaultTestLoader.loadTestsFromTestCase(test_case)
    result = unittest.TextTestRunner(verbosity=2).run(suite)
    if not result.wasSuccessful():
        sys.exit(1)
    if result.testsRun and len(result.skipped) == result.testsRun:
        sys.exit(SKIP)
    sys.exit(0)


# ---------------------------------------------------------------------------
# Direct X access for the launcher tests: screen reads in milliseconds rather
# than ImageMagick's second, the top-level window list with map state and
# override-redirect (menus), and the WM_STATE a window manager would set.

import ctypes  # noqa: E402
import ctypes.util  # noqa: E402


class _XImage(ctypes.Structure):
    _fields_ = [
        ("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
        ("format", ctypes.c_int), ("data", ctypes.POINTER(ctypes.c_ubyte)),
        ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
        ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
        ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
        ("bits_per_pixel", ctypes.c_int), ("red_mask", ctypes.c_ulong),
        ("green_mask", ctypes.c_ulong), ("blue_mask", ctypes.c_ulong),
    ]


class _XWindowAttributes(ctypes.Structure):
    _fields_ = [
        ("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int), ("height", ctypes.c_int),
        ("border_width", ctypes.c_int), ("depth", ctypes.c_int), ("visual", ctypes.c_void_p),
        ("root", ctypes.c_ulong), ("class_", ctypes.c_int), ("bit_gravity", ctypes.c_int),
        ("win_gravity", ctypes.c_int), ("backing_store", ctypes.c_int),
        ("backing_planes", ctypes.c_ulong), ("backing_pixel", ctypes.c_ulong),
        ("save_under", ctypes.c_int), ("colormap", ctypes.c_ulong), ("map_installed", ctypes.c_int),
        ("map_state", ctypes.c_int), ("all_event_masks", ctypes.c_long),
        ("your_event_mask", ctypes.c_long), ("do_not_propagate_mask", ctypes.c_long),
        ("override_redirect", ctypes.c_int), ("screen", ctypes.c_void_p),
    ]


IS_UNMAPPED, IS_UNVIEWABLE, IS_VIEWABLE = 0, 1, 2
WITHDRAWN_STATE, NORMAL_STATE, ICONIC_STATE = 0, 1, 3


class TopWindow:
    """A child of the root window as X reports it at one moment."""

    def __init__(self, wid, x, y, width, height, map_state, override_redirect, name):
        self.id = wid
        self.x, self.y, self.width, self.height = x, y, width, height
        self.mapped = map_state == IS_VIEWABLE
        self.override_redirect = bool(override_redirect)
        self.name = name

    def __repr__(self):
        return "TopWindow(0x%x %r %dx%d+%d+%d%s%s)" % (
            self.id, self.name, self.width, self.height, self.x, self.y,
            " mapped" if self.mapped else "", " override-redirect" if self.override_redirect else "")


_x = None


def _xlib():
    """libX11 with one display connection for this process; X errors (a window
    that vanished between two calls) are ignored rather than ending Python."""
    global _x
    if _x is not None:
        return _x
    lib = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    lib.XOpenDisplay.restype = ctypes.c_void_p
    lib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    lib.XDefaultRootWindow.restype = ctypes.c_ulong
    lib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    lib.XGetImage.restype = ctypes.POINTER(_XImage)
    lib.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                              ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
    lib.XFree.argtypes = [ctypes.c_void_p]
    lib.XQueryTree.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
                               ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.POINTER(ctypes.c_ulong)),
                               ctypes.POINTER(ctypes.c_uint)]
    lib.XGetWindowAttributes.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(_XWindowAttributes)]
    lib.XFetchName.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_char_p)]
    lib.XInternAtom.restype = ctypes.c_ulong
    lib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    lib.XChangeProperty.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_ulong,
                                    ctypes.c_int, ctypes.c_int, ctypes.c_void_p, ctypes.c_int]
    lib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
    lib.XDisplayWidth.argtypes = lib.XDisplayHeight.argtypes = [ctypes.c_void_p, ctypes.c_int]
    handler_type = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)
    lib.XSetErrorHandler.argtypes = [handler_type]
    display = lib.XOpenDisplay(None)
    if not display:
        raise RuntimeError("cannot open X display %r" % os.environ.get("DISPLAY"))
    handler = handler_type(lambda display, event: 0)
    lib.XSetErrorHandler(handler)
    _x = (lib, display, lib.XDefaultRootWindow(display), handler)
    return _x


def grab(left, top, width, height):
    """The screen rectangle as an Image, read straight from the X server."""
    lib, display, root, _ = _xlib()
    image = lib.XGetImage(display, root, left, top, width, height, 0xFFFFFFFF, 2)  # ZPixmap
    if not image:
        raise RuntimeError("XGetImage of %dx%d+%d+%d failed" % (width, height, left, top))
    try:
        img = image.contents
        if img.bits_per_pixel != 32 or img.red_mask != 0xFF0000 or img.byte_order != 0:
            raise RuntimeError("unexpected screen format: %d bpp, red mask %x, byte order %d"
                               % (img.bits_per_pixel, img.red_mask, img.byte_order))
        raw = ctypes.string_at(img.data, img.bytes_per_line * height)
    finally:
        lib.XFree(image.contents.data)
        lib.XFree(image)
    rows = []
    for y in range(height):
        row = raw[y * img.bytes_per_line : y * img.bytes_per_line + width * 4]
        rgb = bytearray(width * 3)
        rgb[0::3], rgb[1::3], rgb[2::3] = row[2::4], row[1::4], row[0::4]
        rows.append(bytes(rgb))
    return Image(width, height, b"".join(rows))


def screen_size():
    """(width, height) of the X screen."""
    lib, display, _, _ = _xlib()
    return lib.XDisplayWidth(display, 0), lib.XDisplayHeight(display, 0)


def top_windows():
    """The children of the root window, bottom to top in stacking order."""
    lib, display, root, _ = _xlib()
    root_ret, parent_ret = ctypes.c_ulong(), ctypes.c_ulong()
    children, count = ctypes.POINTER(ctypes.c_ulong)(), ctypes.c_uint()
    if not lib.XQueryTree(display, root, ctypes.byref(root_ret), ctypes.byref(parent_ret),
                          ctypes.byref(children), ctypes.byref(count)):
        return []
    ids = [children[i] for i in range(count.value)]
    if children:
        lib.XFree(children)
    found = []
    for wid in ids:
        attributes = _XWindowAttributes()
        if not lib.XGetWindowAttributes(display, wid, ctypes.byref(attributes)):
            continue  # gone meanwhile
        name = ctypes.c_char_p()
        title = None
        if lib.XFetchName(display, wid, ctypes.byref(name)) and name.value is not None:
            title = name.value.decode(errors="replace")
            lib.XFree(name)
        found.append(TopWindow(wid, attributes.x, attributes.y, attributes.width, attributes.height,
                               attributes.map_state, attributes.override_redirect, title))
    return found


def top_window(wid):
    """The TopWindow of one X window id (int or the decimal string xdotool gives), or None."""
    wid = int(wid)
    return next((w for w in top_windows() if w.id == wid), None)


def set_wm_state(wid, state):
    """Sets WM_STATE as a window manager does when it iconifies (ICONIC_STATE) or
    restores (NORMAL_STATE) a window; Wine answers the change like a user's request."""
    lib, display, _, _ = _xlib()
    atom = lib.XInternAtom(display, b"WM_STATE", 0)
    data = (ctypes.c_long * 2)(state, 0)
    lib.XChangeProperty(display, int(wid), atom, atom, 32, 0, data, 2)  # PropModeReplace
    lib.XSync(display, 0)


def image_differences(seen, expected, limit=5):
    """(count, first few ((x, y), seen, expected)) of the pixels where two equal-sized images differ."""
    if (seen.width, seen.height) != (expected.width, expected.height):
        raise ValueError("%dx%d compared with %dx%d" % (seen.width, seen.height, expected.width, expected.height))
    if seen.rgb == expected.rgb:
        return 0, []
    count, first = 0, []
    for i in range(0, len(seen.rgb), 3):
        if seen.rgb[i : i + 3] != expected.rgb[i : i + 3]:
            count += 1
            if len(first) < limit:
                p = i // 3
                first.append(((p % seen.width, p // seen.width), tuple(seen.rgb[i : i + 3]),
                              tuple(expected.rgb[i : i + 3])))
    return count, first


# ---------------------------------------------------------------------------
# Stub tools: one recording program copied under the names the launcher starts.

STUB_LOG = "stubtool.log"


def windows_path(path):
    """The path as Wine's programs see it, through the Z: drive."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def install_stub(stub, folder, names):
    """Copies the stub tool into folder under each of the names."""
    for name in names:
        shutil.copy2(stub, os.path.join(folder, name))


def stub_records(folder):
    """What the stubs of folder recorded: a list of (file name, current directory, [arguments])."""
    path = os.path.join(folder, STUB_LOG)
    if not os.path.exists(path):
        return []
    with open(path, "rb") as f:
        text = f.read().decode("utf-8", errors="replace")
    records = []
    for line in text.split("\n"):
        if line:
            fields = line.split("\t")
            records.append((fields[0], fields[1] if len(fields) > 1 else "", fields[2:]))
    return records


# ---------------------------------------------------------------------------
# The Wine registry of the test's prefix, through wine-run's environment.

def reg_query_default(key):
    """The default value of a registry key, or None when the key or value is absent."""
    out = run(WINE_RUN, "reg", "query", key, "/ve", check=False, timeout=60)
    if out.returncode != 0:
        return None
    for line in out.stdout.decode(errors="replace").splitlines():
        parts = line.strip().split(None, 2)
        if len(parts) >= 2 and parts[0] == "(Default)" and parts[1] == "REG_SZ":
            return parts[2] if len(parts) == 3 else ""
    return None


def reg_set_default(key, value):
    run(WINE_RUN, "reg", "add", key, "/ve", "/t", "REG_SZ", "/d", value, "/f", timeout=60)


def reg_delete_key(key):
    run(WINE_RUN, "reg", "delete", key, "/f", check=False, timeout=60)


# ---------------------------------------------------------------------------
# The launcher's own layout and a test case that runs one launcher with stub tools.

def _read_layout():
    """The launcher's layout facts, which the build writes from ui/LauncherLayout.h."""
    path = os.environ.get("ORVALIS_LAYOUT") or os.path.join(ROOT, "build", "windows", "generated",
                                                             "launcher-layout.json")
    try:
        with open(path) as f:
            return json.load(f)
    except OSError as error:
        raise SystemExit("e2elib: cannot read the launcher's layout (%s); build the windows preset first"
                         % error)


LAYOUT = _read_layout()

# The display scale of the prefix the tests run in: its LogPixels, 96 unless a test
# of another scale says so. Every length of the layout follows it as the launcher's do.
SCALE_DPI = int(os.environ.get("ORVALIS_DPI") or 96)


def scaled(length, dpi=None):
    """MulDiv(length, dpi, 96): the nearest whole number, halves away from zero."""
    dpi = SCALE_DPI if dpi is None else dpi
    product = length * dpi
    return (product + 48) // 96 if product >= 0 else -((-product + 48) // 96)


def scaled_resource(file):
    """The committed picture of a layout file at the test's scale."""
    if SCALE_DPI == 96:
        return resource(file)
    return resource("scaled", str(SCALE_DPI * 100 // 96), os.path.splitext(file)[0] + ".png")


def read_picture(file):
    return read_bmp(resource(file)) if SCALE_DPI == 96 else read_png_rgb(scaled_resource(file))


def about_picture():
    """(width, height, rows of (r, g, b, a)) of the About picture at the test's scale, top row first."""
    if SCALE_DPI == 96:
        with open(resource("about.bmp"), "rb") as f:
            data = f.read()
        offset = int.from_bytes(data[10:14], "little")
        width = int.from_bytes(data[18:22], "little", signed=True)
        height = int.from_bytes(data[22:26], "little", signed=True)
        rows = []
        for y in range(abs(height)):
            src = y if height < 0 else abs(height) - 1 - y
            row = data[offset + src * width * 4 : offset + (src + 1) * width * 4]
            rows.append([(row[x * 4 + 2], row[x * 4 + 1], row[x * 4], row[x * 4 + 3]) for x in range(width)])
        return width, abs(height), rows
    width, height, channels, raw = read_png(scaled_resource("about.bmp"))
    assert channels == 4
    return width, height, [[tuple(row[x * 4 : x * 4 + 4]) for x in range(width)] for row in raw]


# Image buttons in creation order (later ones lie on top), client left and top.
LAUNCHER_BUTTONS = [(b["name"], scaled(b["bounds"]["left"]), scaled(b["bounds"]["top"])) for b in LAYOUT["buttons"]]
TITLE_BUTTONS = tuple(b["name"] for b in LAYOUT["buttons"] if b["kind"] == "title")  # no pressed picture
LARGE_BUTTONS = tuple(b["name"] for b in LAYOUT["buttons"] if b["kind"] == "large")
TOOL_NAMES = ["Tarvek.exe", "Mirolan.exe", "Questo.exe", "Pelvane.exe", "Dravin.exe", "Kolmet.exe",
              "Sarneth.exe", "Ulbrin.exe", "Fostrel.exe"]
WEB_SITE = "https://www.orvalis.example/"
LAUNCHER_SIZE = (scaled(LAYOUT["clientWidth"]), scaled(LAYOUT["clientHeight"]))
# Client left, top, width, height of the info line: both labels (the shadow one pixel right
# and down), up to the skin's last face column.
_INFO_LEFT = scaled(min(label["left"] for label in LAYOUT["infoLabels"]))
_INFO_TOP = scaled(min(label["top"] for label in LAYOUT["infoLabels"]))
INFO_LINE_RECT = (_INFO_LEFT, _INFO_TOP, LAUNCHER_SIZE[0] - 1 - _INFO_LEFT,
                  scaled(max(label["top"] for label in LAYOUT["infoLabels"]) + LAYOUT["infoLabelHeight"])
                  - _INFO_TOP + (0 if SCALE_DPI == 96 else 2))  # a scaled font's line may be taller
SKIN_SPOT = (scaled(120), scaled(20))  # a point of the title strip where no control lies

_pictures = {}


def _button(name):
    for button in LAYOUT["buttons"]:
        if button["name"] == name:
            return button
    raise KeyError(name)


def button_picture(name, state):
    """The committed picture of a button's state; buttons without a pressed picture show
    their normal one while held down."""
    pictures = _button(name)["pictures"]
    if state not in pictures:
        state = "normal"
    key = (name, state)
    if key not in _pictures:
        _pictures[key] = read_picture(pictures[state]["file"])
    return _pictures[key]


def skin_picture():
    """The committed skin bitmap."""
    if "skin" not in _pictures:
        _pictures["skin"] = read_picture(LAYOUT["skin"]["file"])
    return _pictures["skin"]


def button_rect(name):
    """Client (left, top, width, height) of a button."""
    bounds = _button(name)["bounds"]
    return tuple(scaled(bounds[k]) for k in ("left", "top", "width", "height"))


def visible_columns(name):
    """Columns of the button (in its own coordinates) not covered by a later button in its row."""
    left, top, width, height = button_rect(name)
    names = [b for b, _, _ in LAUNCHER_BUTTONS]
    covered = set()
    for later in names[names.index(name) + 1 :]:
        l2, t2, w2, h2 = button_rect(later)
        if t2 < top + height and top < t2 + h2:
            covered.update(range(max(l2, left) - left, min(l2 + w2, left + width) - left))
    return [x for x in range(width) if x not in covered]


def button_centre(name):
    """Client point in the middle of the button's visible part."""
    left, top, _, height = button_rect(name)
    columns = visible_columns(name)
    return left + (columns[0] + columns[-1]) // 2, top + height // 2


def columns_of(image, columns):
    """The image cut down to the given columns, side by side."""
    rows = []
    for y in range(image.height):
        rows.append(b"".join(image.rgb[(y * image.width + x) * 3 : (y * image.width + x) * 3 + 3] for x in columns))
    return Image(len(columns), image.height, b"".join(rows))


class LauncherTestCase(unittest.TestCase):
    """Starts one launcher per test in a folder holding the stub under every tool name.

    exe and stub are set by main(). A launcher that shows none of its button
    pictures fails at once, with one clear message, rather than in every check.
    """

    exe = None
    stub = None
    probelib = None
    syscommand = None
    tools = TOOL_NAMES

    start_in_setup = True  # False: each test calls start_launcher itself

    def setUp(self):
        if not self.stub:
            self.skipTest("the stub tool has not been built")
        if self.start_in_setup:
            self.start_launcher()

    def start_launcher(self, subfolder=None, env=None, extra_files=()):
        """Starts the launcher (in subfolder of a scratch folder, with env added to
        its environment and extra_files beside it) and waits until its face is painted."""
        # Keep the pointer off the window, so no button shows its hover picture.
        mouse_move(0, 0)
        self.app = Launcher(self.exe, extra_files=extra_files, subfolder=subfolder, env=env)
        self.app.start()
        self.addCleanup(self.app.__exit__, None, None, None)
        install_stub(self.stub, self.app.folder, self.tools)
        self.window = self.app.wait_window()
        self.origin = self.app.geometry(self.window)[:2]
        self.windows_before = self.mapped_windows()
        if not wait_until(lambda: any(self.shows(b, "normal") for b, _, _ in LAUNCHER_BUTTONS), timeout=15):
            self.fail("the launcher shows none of its buttons' normal pictures; screen saved to %s"
                      % self.save_screen())
        # The buttons are windows of their own and may show before the form's
        # face: wait for all of them and for the skin under the info line.
        if not wait_until(lambda: all(self.shows(b, "normal") for b, _, _ in LAUNCHER_BUTTONS)
                          and self.face_painted(), timeout=15):
            self.fail("the launcher's face is not fully painted; screen saved to %s" % self.save_screen())

    def face_painted(self):
        """True once the skin shows on the info line's rows past the welcome text."""
        left, top, width, height = scaled(300), INFO_LINE_RECT[1], scaled(120), INFO_LINE_RECT[3]
        skin = skin_picture().crop(left, top, width, height)
        return self.grab_client(left, top, width, height).rgb == skin.rgb

    # Screen reads in client coordinates of the launcher window.
    def grab_client(self, left, top, width, height):
        return grab(self.origin[0] + left, self.origin[1] + top, width, height)

    def shows(self, name, state):
        """True if the button's visible part shows exactly that state's picture."""
        left, top, width, height = button_rect(name)
        columns = visible_columns(name)
        seen = self.grab_client(left, top, width, height)
        return columns_of(seen, columns).rgb == columns_of(button_picture(name, state), columns).rgb

    def assert_shows(self, name, state, timeout=5.0, why=""):
        if wait_until(lambda: self.shows(name, state), timeout=timeout, interval=0.05):
            return
        left, top, width, height = button_rect(name)
        columns = visible_columns(name)
        seen = columns_of(self.grab_client(left, top, width, height), columns)
        matches = [s for s in ("normal", "hover", "pressed")
                   if seen.rgb == columns_of(button_picture(name, s), columns).rgb]
        count, first = image_differences(seen, columns_of(button_picture(name, state), columns))
        self.fail("%s does not show its %s picture%s: it shows %s; %d pixels differ, first %s; screen saved to %s"
                  % (name, state, " " + why if why else "", matches[0] if matches else "something else",
                     count, first, self.save_screen()))

    def save_screen(self):
        path = os.path.join(tempfile.gettempdir(), "orvalis-e2e-%s.png" % self._testMethodName)
        try:
            screenshot(save_as=path)
        except Exception as error:  # the failure message matters more than the picture
            return "(not saved: %s)" % error
        return path

    def move_to(self, x, y):
        """Moves the pointer to a client point of the launcher."""
        mouse_move(self.origin[0] + x, self.origin[1] + y)

    def move_onto(self, name):
        self.move_to(*button_centre(name))

    def click_button(self, name):
        # From off the button, so that it sees the pointer arrive even when the
        # pointer rests on it already (after a menu chosen by key, say).
        self.move_to(*SKIN_SPOT)
        self.move_onto(name)
        # The hover picture shows that the button has seen the pointer arrive.
        self.assert_shows(name, "hover", why="before the click")
        run("xdotool", "click", "1")

    def mapped_windows(self):
        return {w.id for w in top_windows() if w.mapped}

    def new_windows(self):
        """Mapped top-level windows that were not there when the launcher had started;
        Wine's 1 x 1 helper windows (the application's own among them) do not count."""
        return [w for w in top_windows()
                if w.mapped and w.id not in self.windows_before and w.width * w.height > 1]

    def records(self):
        return stub_records(self.app.folder)

    def wait_records(self, count, timeout=20.0):
        """Waits until the stubs have recorded count starts in all; returns the records."""
        wait_until(lambda: len(self.records()) >= count, timeout=timeout, interval=0.1)
        return self.records()

    def assert_started(self, expected, before, why=""):
        """Waits for exactly one new start, of the tool named expected, after `before` records."""
        records = self.wait_records(before + 1)
        self.assertGreater(len(records), before, "%s was not started %s" % (expected, why))
        # Give a second, wrong start the same chance to show up.
        time.sleep(0.5)
        started = [r[0] for r in self.records()[before:]]
        self.assertEqual(started, [expected], "tools started %s" % why)
        name, _, arguments = self.records()[before]
        self.assertEqual(arguments, [], "%s got arguments" % name)
        self.assertTrue(self.app.running(), "the launcher ended after starting %s" % expected)
