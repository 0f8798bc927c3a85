"""Libraries come from the system folder only: libraries of system names planted
beside the launcher, which this Wine is told to prefer to its own, are never
loaded, through start-up, the About dialog, the buttons' pictures and the start
of a tool; the About dialog still gets the common controls it needs."""

import os
import sys
import time

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2elib  # noqa: E402

# The libraries the launcher loads itself, and one that others load for it.
PLANTED = ["uxtheme.dll", "comctl32.dll", "shell32.dll"]
PROBE_LOG = "probelib.log"
ABOUT = r"^About Orvalis\.$"


class LauncherLibraries(e2elib.LauncherTestCase):
    start_in_setup = False
    tools = ["Tarvek.exe"]

    def test_libraries_planted_beside_the_launcher_are_never_loaded(self):
        if not self.probelib:
            self.skipTest("the probe library has not been built")
        # Native (a file of that name) before Wine's own: what Windows does for every library.
        overrides = ",".join(os.path.splitext(name)[0] for name in PLANTED) + "=n,b"
        self.start_launcher(env={"WINEDLLOVERRIDES": overrides},
                            extra_files=[(self.probelib, name) for name in PLANTED])
        self.click_button("ButtonAbout")
        dialog = e2elib.wait_until(lambda: e2elib.run("xdotool", "search", "--onlyvisible", "--name", ABOUT,
                                                      check=False).stdout.split(), timeout=10)
        self.assertTrue(dialog, "no About dialog; planted libraries loaded: %s" % self.probe_records())
        time.sleep(0.5)
        e2elib.key("Return")
        self.assertTrue(e2elib.wait_until(lambda: not e2elib.run("xdotool", "search", "--onlyvisible", "--name",
                                                                 ABOUT, check=False).stdout.split(), timeout=5))
        # The tool's start loads the shell's library into the launcher. The stub
        # tool beside it loads the planted one, and so shows that this Wine
        # would take a planted library from that folder.
        self.click_button("ButtonDataCDDVD")
        by_stub = e2elib.wait_until(lambda: [r for r in self.probe_records() if r[0] == "Tarvek.exe"], timeout=20)
        self.assertTrue(by_stub, "the stub tool did not load the planted shell32.dll: the probe proves nothing")
        time.sleep(0.5)
        self.assertEqual([r for r in self.probe_records() if r[0] != "Tarvek.exe"], [],
                         "planted libraries loaded into the launcher (process, library)")
        self.assertTrue(self.app.running())

    def probe_records(self):
        """(process file name, library file name) for every load of a planted library."""
        log = os.path.join(self.app.folder, PROBE_LOG)
        if not os.path.exists(log):
            return []
        with open(log, encoding="utf-8", errors="replace") as f:
            lines = [line.split("\t") for line in f.read().splitlines() if line]
        return [tuple(p.replace("/", "\\").rsplit("\\", 1)[-1] for p in fields) for fields in lines]

if __name__ == "__main__":
    e2elib.main(LauncherLibraries)
