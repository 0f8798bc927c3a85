"""The tool beside the launcher, whatever its folder is called and however deep
it lies: a folder name that reads like a variable, characters that mean
something to a shell, a path longer than MAX_PATH, and a folder named like a
tool."""

import os
import sys

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2elib  # noqa: E402

TOOL = "Tarvek.exe"  # what ButtonDataCDDVD starts


def deep_folder():
    """A relative folder whose Windows path, with the tool's name, is longer than 260."""
    parts = ["%s%03d" % ("deep folder " * 5, i) for i in range(5)]
    return os.path.join(*parts)


class LauncherFolders(e2elib.LauncherTestCase):
    start_in_setup = False

    def assert_tool_starts_beside_the_launcher(self, why):
        self.click_button("ButtonDataCDDVD")
        self.assert_started(TOOL, 0, why)
        self.assertEqual(self.new_windows(), [], "a window appeared %s" % why)

    def test_a_folder_named_like_a_set_variable_starts_the_tool_beside_the_launcher(self):
        # The shell's reading of ...\a\%ORVTEST%\Tarvek.exe is ...\evil\Tarvek.exe, where a decoy waits.
        self.start_launcher(subfolder=os.path.join("a", "%ORVTEST%"), env={"ORVTEST": "..\\evil"})
        decoy = os.path.join(self.app.root, "evil")
        os.makedirs(decoy)
        e2elib.install_stub(self.stub, decoy, [TOOL])
        self.assert_tool_starts_beside_the_launcher("from the folder %ORVTEST%")
        self.assertEqual(e2elib.stub_records(decoy), [], "the decoy in the expanded folder was started")

    def test_a_variable_inside_the_folder_name_or_shell_characters_do_not_stop_the_tool(self):
        for name in ("tools %OS% edition", "caret^ amp& quote' 100% caf\u00e9 \u8868"):
            with self.subTest(folder=name):
                self.start_launcher(subfolder=name)
                self.assert_tool_starts_beside_the_launcher("from the folder %r" % name)
                self.doCleanups()

    def test_a_folder_deeper_than_max_path_starts_the_launcher_and_the_tool(self):
        self.start_launcher(subfolder=deep_folder())  # shows its face, or fails here
        tool_path = e2elib.windows_path(os.path.join(self.app.folder, TOOL))
        self.assertGreater(len(tool_path), 260, tool_path)
        self.click_button("ButtonDataCDDVD")
        if not self.wait_records(1, timeout=10) and not self.system_starts(tool_path):
            self.skipTest("this Wine starts no program whose full path is 260 characters or more, "
                          "whatever form the path is given in (cmd /c fails the same way)")
        self.assert_started(TOOL, 0, "from a folder %d characters deep" % len(tool_path))
        self.assertEqual(self.new_windows(), [])

    def system_starts(self, tool_path):
        """Whether the system's own command processor can start the tool at tool_path."""
        before = len(self.records())
        e2elib.run(e2elib.WINE_RUN, "cmd", "/c", tool_path, check=False, timeout=60)
        return self.wait_records(before + 1, timeout=5)

    def test_a_folder_named_like_the_tool_opens_nothing(self):
        self.start_launcher()
        os.remove(os.path.join(self.app.folder, TOOL))
        os.makedirs(os.path.join(self.app.folder, TOOL))
        self.click_button("ButtonDataCDDVD")
        # A file manager's window would be up within these seconds.
        self.assertFalse(e2elib.wait_until(self.new_windows, timeout=3), "a window opened for the folder")
        # The launcher still starts its other tools.
        self.click_button("ButtonVCDDVDVideo")
        self.assert_started("Mirolan.exe", 0, "after the click on the folder named Tarvek.exe")
        self.assertEqual(self.new_windows(), [])


if __name__ == "__main__":
    e2elib.main(LauncherFolders)
