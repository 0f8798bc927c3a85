"""One launcher per session: a second start shows the running launcher (restored
when it was minimised) and ends with exit code 0 without a window of its own."""

import os
import sys

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2elib  # noqa: E402


class LauncherInstance(e2elib.LauncherTestCase):
    tools = []

    def launcher_mapped(self):
        window = e2elib.top_window(self.window)
        return window is not None and window.mapped

    def start_second(self):
        """Starts another launcher from another folder; returns its exit code."""
        with e2elib.Launcher(self.exe) as second:
            code = second.wait_exit(timeout=30)
            self.assertIsNotNone(code, "the second launcher is still running; log:\n" + second.log())
        return code

    def test_a_second_start_ends_with_0_and_leaves_the_first_as_the_only_launcher(self):
        self.assertEqual(self.start_second(), 0)
        self.assertEqual(self.new_windows(), [], "the second start showed a window")
        self.assertTrue(self.app.running() and self.launcher_mapped())
        self.assertEqual(self.app.geometry(self.window)[:2], self.origin)

    def test_a_second_start_restores_the_minimised_launcher(self):
        self.click_button("ButtonMin")
        self.assertTrue(e2elib.wait_until(lambda: not self.launcher_mapped(), timeout=5), "minimise hid nothing")
        self.assertEqual(self.start_second(), 0)
        self.assertTrue(e2elib.wait_until(self.launcher_mapped, timeout=5), "the first launcher stayed hidden")
        self.assertEqual(self.app.geometry(self.window)[:2], self.origin, "it came back elsewhere")
        self.assertEqual(self.new_windows(), [])
        # It works as before: a button under the pointer shows its hover picture.
        self.move_to(*e2elib.SKIN_SPOT)
        self.move_onto("ButtonDataCDDVD")
        self.assert_shows("ButtonDataCDDVD", "hover", why="after the restore")


if __name__ == "__main__":
    e2elib.main(LauncherInstance)
