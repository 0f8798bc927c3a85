"""Tools started from the launcher's buttons: the two direct tools (twice by a
double-click), a tool whose file is missing, and the web site that Help and
Home open through the shell."""

import os
import sys
import time

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2elib  # noqa: E402

HTTPS_OPEN = r"HKLM\Software\Classes\https\shell\open\command"
RECORDER = "Recorder.exe"


class LauncherTools(e2elib.LauncherTestCase):
    def test_the_two_large_tool_buttons_start_their_tools_and_the_launcher_stays(self):
        face = self.grab_client(0, 0, *e2elib.LAUNCHER_SIZE)
        self.click_button("ButtonDataCDDVD")
        self.assert_started("Tarvek.exe", 0)
        self.click_button("ButtonVCDDVDVideo")
        self.assert_started("Mirolan.exe", 1)
        # The launcher is as it was: same place, same face once the pointer is off it.
        self.assertEqual(self.app.geometry(self.window)[:2], self.origin)
        self.move_to(*e2elib.SKIN_SPOT)
        self.assert_shows("ButtonVCDDVDVideo", "normal")
        self.assertEqual(e2elib.image_differences(self.grab_client(0, 0, *e2elib.LAUNCHER_SIZE), face)[0], 0,
                         "the launcher's face changed after starting two tools")
        self.assertEqual(self.new_windows(), [], "the tools left windows behind")

    def test_a_double_click_starts_the_tool_twice(self):
        self.move_to(*e2elib.SKIN_SPOT)
        self.move_onto("ButtonDataCDDVD")
        self.assert_shows("ButtonDataCDDVD", "hover")
        e2elib.run("xdotool", "click", "--repeat", "2", "--delay", "80", "1")
        self.wait_records(2)
        time.sleep(0.5)
        self.assertEqual([r[0] for r in self.records()], ["Tarvek.exe", "Tarvek.exe"])
        self.assertTrue(self.app.running())

    def test_a_missing_tool_starts_nothing_and_shows_no_window(self):
        os.remove(os.path.join(self.app.folder, "Tarvek.exe"))
        face = self.grab_client(0, 0, *e2elib.LAUNCHER_SIZE)
        self.click_button("ButtonDataCDDVD")
        # An error box of the shell's would be up within this second.
        time.sleep(1)
        self.assertEqual(self.new_windows(), [], "a window appeared for the missing tool")
        # The shell request for the missing file is over once the next one is served.
        self.click_button("ButtonVCDDVDVideo")
        self.assert_started("Mirolan.exe", 0, "after a click on the missing Tarvek.exe")
        self.assertEqual(self.new_windows(), [], "a window appeared for the missing tool")
        self.assertTrue(self.app.running())
        self.move_to(*e2elib.SKIN_SPOT)
        self.assert_shows("ButtonVCDDVDVideo", "normal")
        self.assertEqual(e2elib.image_differences(self.grab_client(0, 0, *e2elib.LAUNCHER_SIZE), face)[0], 0,
                         "the launcher's face changed after the missing tool")

    def test_help_and_home_open_the_web_site_through_the_shell(self):
        # The prefix's https handler becomes the stub, which records the address it gets.
        e2elib.install_stub(self.stub, self.app.folder, [RECORDER])
        previous = e2elib.reg_query_default(HTTPS_OPEN)
        self.addCleanup(self.restore_https_handler, previous)
        e2elib.reg_set_default(HTTPS_OPEN, '"%s" "%%1"' % e2elib.windows_path(os.path.join(self.app.folder, RECORDER)))
        for count, name in enumerate(("ButtonHelp", "ButtonHome")):
            with self.subTest(button=name):
                self.click_button(name)
                records = self.wait_records(count + 1)
                self.assertEqual(len(records), count + 1, "%s opened nothing" % name)
                time.sleep(0.5)
                self.assertEqual(self.records()[count:], [(RECORDER, records[count][1], [e2elib.WEB_SITE])],
                                 "what %s opened" % name)
        self.assertTrue(self.app.running())

    @staticmethod
    def restore_https_handler(previous):
        if previous is None:
            e2elib.reg_delete_key(HTTPS_OPEN)
        else:
            e2elib.reg_set_default(HTTPS_OPEN, previous)


if __name__ == "__main__":
    e2elib.main(LauncherTools)
