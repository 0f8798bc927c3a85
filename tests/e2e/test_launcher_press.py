"""Right and middle presses on the launcher's face: a click moves nothing, a
right-button drag moves the window by the drag and ends at the release, and
afterwards the window stays put and its buttons work."""

import os
import sys

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2elib  # noqa: E402

RIGHT, MIDDLE = 3, 2  # X button numbers


class LauncherPress(e2elib.LauncherTestCase):
    tools = ["Tarvek.exe"]

    def position(self):
        return tuple(self.app.geometry(self.window)[:2])

    def assert_stays_and_works(self, where, why):
        """The pointer wanders off: the window stays at where, and a tool button still starts its tool."""
        e2elib.mouse_move(where[0] + e2elib.SKIN_SPOT[0] + 90, where[1] + e2elib.SKIN_SPOT[1] + 70)
        e2elib.mouse_move(where[0] + 30, where[1] + 150)
        self.assertFalse(e2elib.wait_until(lambda: self.position() != where, timeout=1),
                         "the window followed the pointer %s, to %s" % (why, self.position()))
        self.origin = where
        before = len(self.records())
        self.click_button("ButtonDataCDDVD")
        self.assert_started("Tarvek.exe", before, why)

    def test_right_and_middle_clicks_on_the_face_move_nothing(self):
        for button in (RIGHT, MIDDLE):
            with self.subTest(button=button):
                start = self.position()
                e2elib.click(start[0] + e2elib.SKIN_SPOT[0], start[1] + e2elib.SKIN_SPOT[1], button=button)
                self.assert_stays_and_works(start, "after a click with button %d" % button)

    def test_a_right_button_drag_moves_the_window_by_the_drag_and_ends_at_the_release(self):
        x, y = self.position()
        e2elib.drag(x + e2elib.SKIN_SPOT[0], y + e2elib.SKIN_SPOT[1], -70, 45, steps=10, button=RIGHT)
        target = (x - 70, y + 45)
        self.assertTrue(e2elib.wait_until(lambda: self.position() == target, timeout=5),
                        "window at %s after the drag, expected %s" % (self.position(), target))
        self.assert_stays_and_works(target, "after the right-button drag")


if __name__ == "__main__":
    e2elib.main(LauncherPress)
