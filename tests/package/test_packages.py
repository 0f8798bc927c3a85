"""The release packages as a user meets them: the zip's contents, and the
installer and its uninstaller run silently under Wine, on the display and in
the prefix that scripts/test provides. cpack makes the packages into a scratch
folder, so the test never depends on an earlier `package` build.

The steps build on each other and run in the order of their numbers."""

import argparse
import glob
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import unittest
import xml.etree.ElementTree as ElementTree
import zipfile

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import e2elib  # noqa: E402

PRODUCT, PROGRAM, UNINSTALLER = "Orvalis", "Orvalis.exe", "Uninstall.exe"
PACKAGED = {PROGRAM, "README.txt", "LICENSE.txt"}
UNINSTALL_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Orvalis"
TOOL = e2elib.TOOL_NAMES[0]
TOOL_BYTES = b"a tool of the suite that lay here before the launcher was installed\r\n" * 64

options = None


def wine(*args, check=True):
    return e2elib.run(e2elib.WINE_RUN, *args, timeout=120, check=check)


def uninstall_values():
    """{name: (type, data)} of the uninstall entry; None when there is none."""
    out = wine("reg", "query", UNINSTALL_KEY, check=False)
    if out.returncode != 0:
        return None
    lines = out.stdout.decode(errors="replace").splitlines()
    return {m.group(1): (m.group(2), m.group(3) or "")
            for m in (re.match(r"^ {4}(.*?) {4}(REG_[A-Z_]+)(?: {4}(.*))?$", line) for line in lines) if m}


def shortcut_path():
    users = glob.glob(os.path.join(os.environ["WINEPREFIX"], "drive_c", "users", "*", "AppData", "Roaming"))
    users = [u for u in users if "/Public/" not in u]
    assert len(users) == 1, "one user's profile in the prefix: %s" % users
    return os.path.join(users[0], "Microsoft", "Windows", "Start Menu", "Programs", PRODUCT + ".lnk")


def remove_leftovers():
    """What an earlier, interrupted run may have left in the shared prefix."""
    e2elib.reg_delete_key(UNINSTALL_KEY)
    if os.path.exists(shortcut_path()):
        os.remove(shortcut_path())


def install(folder=None):
    """Runs the installer silently (into folder when given); returns its exit code."""
    started = time.monotonic()
    # NSIS takes /D= only last and unquoted.
    code = wine(Packages.setup, "/S", *(["/D=" + e2elib.windows_path(folder)] if folder else []),
                check=False).returncode
    print("silent install: %.1f s" % (time.monotonic() - started), flush=True)
    return code


def uninstall(folder):
    """Runs the uninstaller silently and waits for it: it copies itself away and
    returns at once, and the copy does the work. True when it finished."""
    started = time.monotonic()
    wine(os.path.join(folder, UNINSTALLER), "/S")
    done = e2elib.wait_until(lambda: not os.path.exists(os.path.join(folder, UNINSTALLER))
                             and uninstall_values() is None, timeout=60, interval=0.2)
    print("silent uninstall: %.1f s" % (time.monotonic() - started), flush=True)
    return done


class Packages(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.scratch = tempfile.mkdtemp(prefix="orvalis-package-")
        output = os.path.join(cls.scratch, "packages")
        made = subprocess.run([options.cpack, "--config", options.config, "-B", output],
                              stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=240)
        if made.returncode != 0:
            raise AssertionError("cpack failed:\n" + made.stdout.decode(errors="replace"))
        base = os.path.join(output, "%s-%s-win64" % (PRODUCT, options.version))
        cls.zip, cls.setup = base + ".zip", base + "-setup.exe"
        for path in (cls.zip, cls.setup):
            print("%s: %d bytes" % (os.path.basename(path), os.path.getsize(path)), flush=True)
        # No space in it: Wine quotes such an argument, and NSIS takes /D= only unquoted.
        cls.folder = os.path.join(cls.scratch, "DiscTools")
        os.makedirs(cls.folder)
        with open(os.path.join(cls.folder, TOOL), "wb") as f:
            f.write(TOOL_BYTES)
        remove_leftovers()

    @classmethod
    def tearDownClass(cls):
        remove_leftovers()
        shutil.rmtree(cls.scratch, ignore_errors=True)

    def assert_installed(self, folder):
        """Files, shortcut and every uninstall value of an installation in folder."""
        self.assertLessEqual(PACKAGED | {UNINSTALLER}, set(os.listdir(folder)))
        with open(os.path.join(folder, PROGRAM), "rb") as installed, open(options.exe, "rb") as built:
            self.assertTrue(installed.read() == built.read(), "the installed program is not the built one")
        with open(shortcut_path(), "rb") as f:
            link = f.read()
        target = e2elib.windows_path(os.path.join(folder, PROGRAM))
        self.assertTrue(target.encode("utf-16-le") in link or target.encode() in link,
                        "the Start-menu shortcut does not lead to %s" % target)
        win = e2elib.windows_path(folder)
        uninstaller = '"%s\\%s"' % (win, UNINSTALLER)
        files = sum(os.path.getsize(os.path.join(folder, n)) for n in PACKAGED | {UNINSTALLER})
        values = uninstall_values() or {}
        self.assertAlmostEqual(int(values.pop("EstimatedSize", ("", "0"))[1], 16), files / 1024, delta=4,
                               msg="EstimatedSize in KiB")
        self.assertLessEqual({
            "DisplayName": ("REG_SZ", PRODUCT), "DisplayVersion": ("REG_SZ", options.version),
            "Publisher": ("REG_SZ", PRODUCT), "DisplayIcon": ("REG_SZ", win + "\\" + PROGRAM),
            "UninstallString": ("REG_SZ", uninstaller), "QuietUninstallString": ("REG_SZ", uninstaller + " /S"),
            "InstallLocation": ("REG_SZ", win), "NoModify": ("REG_DWORD", "0x1"), "NoRepair": ("REG_DWORD", "0x1"),
        }.items(), values.items())

    def test_0_manifest_is_well_formed_and_declares_the_systems_and_long_paths(self):
        # Windows refuses to start a program whose manifest does not parse; Wine does not.
        root = ElementTree.parse(options.manifest).getroot()
        systems = {e.get("Id") for e in root.iter("{urn:schemas-microsoft-com:compatibility.v1}supportedOS")}
        self.assertEqual(len(systems), 5, "supportedOS entries: Vista, 7, 8, 8.1, 10/11")
        long_paths = root.iter("{http://schemas.microsoft.com/SMI/2016/WindowsSettings}longPathAware")
        self.assertEqual([e.text for e in long_paths], ["true"])

    def test_1_zip_holds_exactly_the_program_the_readme_and_the_licence(self):
        with zipfile.ZipFile(self.zip) as archive, open(options.exe, "rb") as built:
            self.assertEqual(set(archive.namelist()), PACKAGED)
            self.assertTrue(archive.read(PROGRAM) == built.read(), "the zipped program is not the built one")

    def test_2_silent_install_into_a_folder_puts_files_shortcut_and_entry_in_place(self):
        self.assertEqual(install(self.folder), 0, "installer exit code")
        self.assert_installed(self.folder)

    def test_3_installed_program_shows_its_window(self):
        with open(os.path.join(self.scratch, "orvalis.log"), "wb") as log:
            process = subprocess.Popen([e2elib.WINE_RUN, os.path.join(self.folder, PROGRAM)], cwd=self.scratch,
                                       stdout=log, stderr=subprocess.STDOUT)
            try:
                shown = e2elib.wait_until(lambda: process.poll() is None and e2elib.run(
                    "xdotool", "search", "--onlyvisible", "--name", "^Orvalis$", check=False).stdout.strip(),
                    timeout=60, interval=0.2)
                self.assertTrue(shown, "no Orvalis window (exit code %s)" % process.poll())
            finally:
                process.terminate()
                process.wait(timeout=30)

    def test_4_second_install_replaces_the_files_and_keeps_one_entry(self):
        readme = os.path.join(self.folder, "README.txt")
        with open(readme, "wb") as f:
            f.write(b"damaged")
        self.assertEqual(install(), 0, "installer exit code")  # without /D=: where the first one is
        self.assert_installed(self.folder)
        with zipfile.ZipFile(self.zip) as archive, open(readme, "rb") as f:
            self.assertEqual(f.read(), archive.read("README.txt"), "README.txt was not replaced")
        # The system's own list of installed programs (Wine's Apps & features) shows it once.
        listed = wine("uninstaller", "--list").stdout.decode(errors="replace").splitlines()
        self.assertEqual([line for line in listed if line.endswith("|" + PRODUCT)], [PRODUCT + "|||" + PRODUCT])

    def test_5_silent_uninstall_removes_what_it_installed_and_leaves_the_tools(self):
        self.assertTrue(uninstall(self.folder), "the uninstaller did not finish within 60 s")
        self.assertEqual(os.listdir(self.folder), [TOOL], "left in the folder after the uninstall")
        with open(os.path.join(self.folder, TOOL), "rb") as f:
            self.assertEqual(f.read(), TOOL_BYTES, "the tool beside the launcher was changed")
        self.assertFalse(os.path.exists(shortcut_path()), "the Start-menu shortcut is still there")

    def test_6_install_into_another_folder_moves_the_installation(self):
        first, second = os.path.join(self.scratch, "first"), os.path.join(self.scratch, "second")
        self.assertEqual(install(first), 0, "installer exit code")
        self.assertEqual(install(second), 0, "installer exit code")
        self.assertFalse(os.path.exists(first), "the earlier installation's emptied folder is still there")
        self.assert_installed(second)
        self.assertTrue(uninstall(second), "the uninstaller did not finish within 60 s")
        self.assertFalse(os.path.exists(second), "the emptied folder was not removed")


def main():
    global options
    parser = argparse.ArgumentParser()
    for name in ("cpack", "config", "version", "exe", "manifest"):
        parser.add_argument("--" + name, required=True)
    options = parser.parse_args()
    for variable in ("DISPLAY", "WINEPREFIX"):
        if not os.environ.get(variable):
            sys.exit("%s is not set: run through scripts/test" % variable)
    # Shortcuts made in the prefix must not become menu entries of the desktop.
    os.environ["WINEDLLOVERRIDES"] = ";".join(filter(None, [os.environ.get("WINEDLLOVERRIDES"),
                                                            "winemenubuilder.exe=d"]))
    result = unittest.TextTestRunner(verbosity=2, failfast=True).run(
        unittest.defaultTestLoader.loadTestsFromTestCase(Packages))
    sys.exit(0 if result.wasSuccessful() else 1)


if __name__ == "__main__":
    main()
