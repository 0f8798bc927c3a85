"""The launcher's own title buttons: close ends the program with exit code 0,
minimise hides the launcher until the application is restored."""

import os
import sys

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2elib  # noqa: E402

APPLICATION_TITLE = "Orvalis."


class LauncherWindow(e2elib.LauncherTestCase):
    tools = []  # no tool is started here

    def launcher_mapped(self):
        window = e2elib.top_window(self.window)
        return window is not None and window.mapped

    def test_close_button_ends_the_program_with_exit_code_0(self):
        self.click_button("ButtonClose2")
        self.assertEqual(self.app.wait_exit(timeout=10), 0, "exit code after the close button")

    def test_a_click_on_the_columns_shared_with_minimise_closes(self):
        close_left, top, _, height = e2elib.button_rect("ButtonClose2")
        self.move_to(close_left + 1, top + height // 2)
        self.assert_shows("ButtonClose2", "hover")
        e2elib.run("xdotool", "click", "1")
        self.assertEqual(self.app.wait_exit(timeout=10), 0, "exit code after a click on x = 400")

    def test_minimise_hides_the_launcher_and_restoring_the_application_brings_it_back(self):
        self.click_button("ButtonMin")
        hidden = e2elib.wait_until(lambda: not self.launcher_mapped(), timeout=5)
        self.assertTrue(hidden, "the launcher is still shown after the minimise button")
        self.assertTrue(self.app.running(), "the launcher ended on minimise")
        application = [w for w in e2elib.top_windows() if w.name == APPLICATION_TITLE]
        self.assertEqual(len(application), 1, "application windows titled %r: %s" % (APPLICATION_TITLE, application))
        # Without a window manager nobody answers Wine's iconify request, and
        # xdotool windowactivate needs one. We play the manager's part: it marks
        # the window iconic when it iconifies it, and normal again on restore.
        e2elib.set_wm_state(application[0].id, e2elib.ICONIC_STATE)
        e2elib.set_wm_state(application[0].id, e2elib.NORMAL_STATE)
        self.assertTrue(e2elib.wait_until(self.launcher_mapped, timeout=5),
                        "the launcher stayed hidden after the application was restored")
        self.assertEqual(self.app.geometry(self.window)[:2], self.origin, "the launcher came back elsewhere")
        for name, _, _ in e2elib.LAUNCHER_BUTTONS:
            if name != "ButtonMin":
                self.assert_shows(name, "normal", why="after the restore")


if __name__ == "__main__":
    e2elib.main(LauncherWindow)
