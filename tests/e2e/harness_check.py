"""Checks the test harness itself: wine-run, the stub tool, the picture readers.

A fault here would make every e2e result meaningless, so it gets its own test.
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2elib  # noqa: E402

STUB = None


def wine_run(*args, env=None, cwd=None):
    return subprocess.run([e2elib.WINE_RUN, *args], env=env, cwd=cwd, capture_output=True, timeout=60)


def bmp_file(width, height, rows_rgb, top_down):
    """A 24-bit bitmap file image; rows_rgb are top-down rows of (r, g, b)."""
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    order = rows_rgb if top_down else list(reversed(rows_rgb))
    for row in order:
        line = b"".join(bytes((b, g, r)) for r, g, b in row)
        pixels += line + b"\0" * (stride - len(line))
    header = b"BM" + (54 + len(pixels)).to_bytes(4, "little") + b"\0\0\0\0" + (54).to_bytes(4, "little")
    info = (
        (40).to_bytes(4, "little")
        + width.to_bytes(4, "little", signed=True)
        + (-height if top_down else height).to_bytes(4, "little", signed=True)
        + (1).to_bytes(2, "little")
        + (24).to_bytes(2, "little")
        + bytes(24)
    )
    return header + info + bytes(pixels)


class WineRun(unittest.TestCase):
    def test_refuses_to_start_without_display_or_prefix(self):
        for missing in ("DISPLAY", "WINEPREFIX"):
            env = dict(os.environ)
            env.pop(missing)
            result = wine_run("cmd", "/c", "exit", "0", env=env)
            self.assertEqual(result.returncode, 2, missing)
            self.assertIn(missing.encode(), result.stderr)

    def test_passes_the_exit_code_of_the_windows_program_through(self):
        self.assertEqual(wine_run("cmd", "/c", "exit", "7").returncode, 7)
        self.assertEqual(wine_run("cmd", "/c", "exit", "0").returncode, 0)

    def test_stub_started_from_a_folder_records_name_folder_and_arguments(self):
        if not STUB:
            self.skipTest("the stub tool was not built")
        folder = tempfile.mkdtemp(prefix="orvalis-harness-")
        self.addCleanup(shutil.rmtree, folder, True)
        tool = os.path.join(folder, "Tarvek.exe")
        shutil.copy2(STUB, tool)
        result = wine_run(tool, "one", "two words", cwd=folder)
        self.assertEqual(result.returncode, 0, result.stderr)
        with open(os.path.join(folder, "stubtool.log"), encoding="utf-8") as f:
            fields = f.read().rstrip("\n").split("\t")
        self.assertEqual(fields[0], "Tarvek.exe")
        # Wine maps the Unix folder into the Z: drive.
        self.assertTrue(fields[1].lower().replace("\\", "/").endswith(folder.lower()), fields[1])
        self.assertEqual(fields[2:], ["one", "two words"])


class PictureReaders(unittest.TestCase):
    ROWS = [[(255, 0, 0), (0, 255, 0), (0, 0, 255)], [(1, 2, 3), (4, 5, 6), (250, 251, 252)]]

    def test_bitmaps_read_top_row_first_in_either_row_order(self):
        for top_down in (False, True):
            path = os.path.join(tempfile.mkdtemp(prefix="orvalis-harness-"), "t.bmp")
            self.addCleanup(shutil.rmtree, os.path.dirname(path), True)
            with open(path, "wb") as f:
                f.write(bmp_file(3, 2, self.ROWS, top_down))
            image = e2elib.read_bmp(path)
            self.assertEqual((image.width, image.height), (3, 2))
            self.assertEqual([[image.pixel(x, y) for x in range(3)] for y in range(2)], self.ROWS)

    def test_ppm_header_with_a_comment_and_pixel_order(self):
        data = b"P6\n# made by hand\n2 1\n255\n" + bytes((10, 20, 30, 40, 50, 60))
        image = e2elib.parse_ppm(data)
        self.assertEqual((image.pixel(0, 0), image.pixel(1, 0)), ((10, 20, 30), (40, 50, 60)))
        with self.assertRaises(ValueError):
            e2elib.parse_ppm(b"P6\n2 1\n65535\n" + bytes(12))

    def test_screenshot_reads_back_the_root_colour_exactly(self):
        e2elib.set_root_colour("#123456")
        shot = e2elib.screenshot()
        self.assertEqual((shot.width, shot.height), (1280, 1024))
        self.assertEqual(shot.pixel(0, 0), (0x12, 0x34, 0x56))
        self.assertEqual(shot.pixel(1279, 1023), (0x12, 0x34, 0x56))


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    parser.add_argument("--stub")
    options = parser.parse_args()
    STUB = options.stub if options.stub and os.path.isfile(options.stub) else None
    for variable in ("DISPLAY", "WINEPREFIX"):
        if not os.environ.get(variable):
            print("%s is not set: run through scripts/test" % variable, file=sys.stderr)
            sys.exit(1)
    result = unittest.main(argv=[sys.argv[0], "-v"], exit=False).result
    sys.exit(0 if result.wasSuccessful() else 1)
