"""The launcher frame as the user sees it: the skin face, the cut corners, the drag."""

import os
import sys
import tempfile
import unittest

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2elib  # noqa: E402

FUCHSIA = (255, 0, 255)
BEHIND = (0, 255, 0)
BEHIND_NAME = "#00ff00"

# Buttons in creation order (later ones lie on top), with their client positions.
BUTTONS = e2elib.LAUNCHER_BUTTONS

# The info line's text is drawn by the labels, not the artwork: its rows are left out.
_info = e2elib.INFO_LINE_RECT
INFO_LINE = (_info[0], _info[1], _info[0] + _info[2], _info[1] + _info[3])  # right, bottom exclusive

# The stepped corners: pixels of each of the first four rows cut at the left end.
CORNER_STEPS = [4, 3, 2, 1]


def cut_pixels(width, height):
    """Window pixels that lie outside the shape: the corner steps and the last column."""
    face = width - 1
    cut = set((face, y) for y in range(height))
    for row, count in enumerate(CORNER_STEPS):
        for y in (row, height - 1 - row):
            for i in range(count):
                cut.add((i, y))
                cut.add((face - 1 - i, y))
    return cut


BUTTON_RECTS = []


def expected_face():
    """The skin with every button's normal picture on it, as the idle launcher shows it."""
    skin = e2elib.skin_picture()
    face = bytearray(skin.rgb)
    BUTTON_RECTS.clear()
    for name, left, top in BUTTONS:
        picture = e2elib.button_picture(name, "normal")
        BUTTON_RECTS.append((left, top, picture.width, picture.height))
        for y in range(picture.height):
            for x in range(picture.width):
                i = ((top + y) * skin.width + left + x) * 3
                face[i : i + 3] = bytes(picture.pixel(x, y))
    return skin, e2elib.Image(skin.width, skin.height, bytes(face))


def in_info_line(x, y):
    left, top, right, bottom = INFO_LINE
    return left <= x < right and top <= y < bottom


def on_button(x, y):
    return any(
        left <= x < left + width and top <= y < top + height for left, top, width, height in BUTTON_RECTS
    )


def face_mismatches(shot, origin, skin, face, skin_only=False):
    """Pixels inside the window's shape whose screen colour is not the expected face.

    skin_only leaves the buttons out and compares what the skin itself paints.
    """
    ox, oy = origin
    wrong = []
    for y in range(skin.height):
        for x in range(skin.width - 1):
            if skin.pixel(x, y) == FUCHSIA or in_info_line(x, y) or (skin_only and on_button(x, y)):
                continue
            seen = shot.pixel(ox + x, oy + y)
            if seen != face.pixel(x, y):
                wrong.append(((x, y), seen, face.pixel(x, y)))
    return wrong


class LauncherFrame(unittest.TestCase):
    exe = None

    def setUp(self):
        e2elib.set_root_colour(BEHIND_NAME)
        # Keep the pointer off the window, so no button shows its hover picture.
        e2elib.mouse_move(0, 0)
        self.skin, self.face = expected_face()
        self.app = e2elib.Launcher(self.exe)
        self.app.start()
        self.addCleanup(self.app.__exit__, None, None, None)
        self.window = self.app.wait_window()

    def assert_face_at(self, origin, skin_only=False):
        """Waits until the idle face is painted at origin, or fails with where it is not."""
        wrong = []

        def painted():
            wrong[:] = face_mismatches(e2elib.screenshot(), origin, self.skin, self.face, skin_only)
            return not wrong

        if e2elib.wait_until(painted, timeout=10):
            return
        shot = os.path.join(tempfile.gettempdir(), "orvalis-e2e-%s.png" % self._testMethodName)
        e2elib.screenshot(save_as=shot)
        self.fail("%d face pixels differ at %s, first (window x, y), seen, expected: %s; screen saved to %s"
                  % (len(wrong), origin, wrong[:5], shot))

    def wait_shown(self, origin):
        """Waits until the window covers the root colour at a few points of its face."""
        ox, oy = origin
        points = [(ox + 10, oy + 10), (ox + 220, oy + 100), (ox + 430, oy + 200)]

        def shown():
            shot = e2elib.screenshot()
            return all(shot.pixel(px, py) != BEHIND for px, py in points)

        self.assertTrue(e2elib.wait_until(shown, timeout=10), "the window never covered %s" % (points,))

    def test_window_is_444_by_217_and_centred_on_the_screen(self):
        x, y, width, height = self.app.geometry(self.window)
        shot = e2elib.screenshot()
        self.assertEqual((width, height), e2elib.LAUNCHER_SIZE)
        self.assertEqual((x, y), ((shot.width - width) // 2, (shot.height - height) // 2))

    def test_face_shows_the_skin_and_button_pictures_inside_the_shape(self):
        x, y, _, _ = self.app.geometry(self.window)
        self.assert_face_at((x, y))

    def test_cut_corners_and_last_column_show_what_lies_behind(self):
        x, y, width, height = self.app.geometry(self.window)
        self.wait_shown((x, y))
        shot = e2elib.screenshot()
        covered = sorted(p for p in cut_pixels(width, height) if shot.pixel(x + p[0], y + p[1]) != BEHIND)
        self.assertEqual(covered, [], "cut pixels painted by the window")
        # The pixels right beside the steps belong to the face.
        for px, py in [(4, 0), (3, 1), (2, 2), (1, 3), (0, 4), (438, 0), (442, 4), (4, 216), (438, 216)]:
            self.assertNotEqual(shot.pixel(x + px, y + py), BEHIND, "pixel (%d, %d)" % (px, py))

    def test_dragging_the_face_moves_the_window_by_the_drag_distance(self):
        x, y, _, _ = self.app.geometry(self.window)
        self.wait_shown((x, y))
        # A point of the title strip where no control lies.
        e2elib.drag(x + 120, y + 20, 60, 40, steps=12)
        moved = e2elib.wait_until(lambda: self.app.geometry(self.window)[:2] == (x + 60, y + 40), timeout=5)
        self.assertTrue(moved, "window at %s after the drag, expected %s"
                        % (self.app.geometry(self.window)[:2], (x + 60, y + 40)))
        # The skin moved with the window (the buttons have tests of their own).
        self.assert_face_at((x + 60, y + 40), skin_only=True)
        # The strip the window left uncovers what lies behind it.
        self.assertEqual(e2elib.screenshot().pixel(x + 10, y + 10), BEHIND)
        self.assertTrue(self.app.running(), "the launcher ended during the drag")


if __name__ == "__main__":
    e2elib.main(LauncherFrame)
