"""The About dialog opened from the launcher: the product picture blended over
the white panel exactly, the keys that close it (Enter, Alt+F4) and the one
that does not (Escape), and the links, which reach the shell with exactly the
shown text."""

import os
import sys
import time

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2elib  # noqa: E402

DIALOG_NAME = r"^About Orvalis\.$"
CLIENT_SIZE = (523, 298)
IMAGE_RECT = (14, 14, 171, 238)  # ImageLeft in client coordinates: PanelmageLeft (12, 12) + (2, 2)
PICTURE_OFFSET = (-2, 11)  # the 175 x 215 picture centred in the image
PAGES_RECT = (200, 8, 305, 245)  # PageControlMain
LINK_BLUE = (0, 0, 255)
HANDLERS = {
    "https": r"HKLM\Software\Classes\https\shell\open\command",
    "mailto": r"HKLM\Software\Classes\mailto\shell\open\command",
}
RECORDER = "Recorder.exe"


def expected_image_area():
    """ImageLeft as it must look: the picture blended by its alpha over white, white around it."""
    width, height, rows = e2elib.about_picture()
    area_w, area_h = IMAGE_RECT[2], IMAGE_RECT[3]
    out = bytearray(b"\xff" * (area_w * area_h * 3))
    for y in range(area_h):
        py = y - PICTURE_OFFSET[1]
        if not 0 <= py < height:
            continue
        for x in range(area_w):
            px = x - PICTURE_OFFSET[0]
            if not 0 <= px < width:
                continue
            r, g, b, a = rows[py][px]
            i = (y * area_w + x) * 3
            out[i : i + 3] = bytes(((c * a + 255 * (256 - a)) >> 8) for c in (r, g, b))
    return e2elib.Image(area_w, area_h, bytes(out))


class AboutDialog(e2elib.LauncherTestCase):
    tools = ()

    def open_about(self):
        """Clicks the launcher's About button; returns the dialog's client origin on screen."""
        self.click_button("ButtonAbout")
        window = e2elib.wait_until(
            lambda: e2elib.run("xdotool", "search", "--onlyvisible", "--name", DIALOG_NAME,
                               check=False).stdout.split(), timeout=10)
        if not window:
            self.skipTest("clicking ButtonAbout opens no About dialog yet")
        self.dialog = window[0].decode()
        x, y, w, h = self.app.geometry(self.dialog)
        # The X window is the client area when a window manager draws the frame,
        # or the whole window with Wine's own frame around the client area.
        border = (w - CLIENT_SIZE[0]) // 2
        self.client = (x + border, y + h - CLIENT_SIZE[1] - border)
        # The dialog has painted once the picture is there.
        e2elib.wait_until(lambda: self.grab_dialog(*IMAGE_RECT).rgb != b"\xff" * (171 * 238 * 3), timeout=5)
        time.sleep(0.3)
        return self.client

    def grab_dialog(self, left, top, width, height):
        return e2elib.grab(self.client[0] + left, self.client[1] + top, width, height)

    def dialog_open(self):
        found = e2elib.run("xdotool", "search", "--onlyvisible", "--name", DIALOG_NAME, check=False).stdout
        return bool(found.split())

    def assert_closes(self, why):
        self.assertTrue(e2elib.wait_until(lambda: not self.dialog_open(), timeout=5),
                        "the dialog stayed open after %s" % why)
        time.sleep(0.3)
        self.assertTrue(self.app.running(), "the launcher ended with the dialog (%s)" % why)

    def test_the_picture_is_the_about_picture_blended_over_white(self):
        self.open_about()
        seen = self.grab_dialog(*IMAGE_RECT)
        count, first = e2elib.image_differences(seen, expected_image_area())
        self.assertEqual(count, 0, "%d pixels of the picture differ, first %s; screen saved to %s"
                         % (count, first, self.save_screen()))

    def test_escape_leaves_it_open_enter_closes_it(self):
        self.open_about()
        e2elib.key("Escape")
        time.sleep(1)
        self.assertTrue(self.dialog_open(), "Escape closed the dialog")
        e2elib.key("Return")
        self.assert_closes("Enter on the tabs")
        # The launcher works again: the dialog opens a second time.
        self.open_about()
        e2elib.key("alt+F4")
        self.assert_closes("Alt+F4")

    def test_minimising_with_the_dialog_open_hides_it_too_and_restoring_gives_it_the_keyboard(self):
        if not self.syscommand:
            self.skipTest("the taskbar stand-in has not been built")
        self.open_about()

        def shown(wid):
            window = e2elib.top_window(wid)
            return window is not None and window.mapped

        def taskbar(command):
            e2elib.run(e2elib.WINE_RUN, self.syscommand, command, timeout=60)

        taskbar("minimize")
        self.assertTrue(e2elib.wait_until(lambda: not shown(self.dialog) and not shown(self.window), timeout=5),
                        "shown after the minimise: dialog %s, launcher %s" % (shown(self.dialog), shown(self.window)))
        taskbar("restore")
        self.assertTrue(e2elib.wait_until(lambda: shown(self.dialog) and shown(self.window), timeout=5),
                        "hidden after the restore: dialog %s, launcher %s"
                        % (not shown(self.dialog), not shown(self.window)))
        ids = [w.id for w in e2elib.top_windows() if w.mapped]
        self.assertGreater(ids.index(int(self.dialog)), ids.index(int(self.window)), "the dialog lies below")
        # The keyboard reaches the dialog at once, without a click.
        time.sleep(0.5)
        e2elib.key("Return")
        self.assert_closes("Enter after the restore")

    def test_the_links_reach_the_shell_with_exactly_the_shown_text(self):
        e2elib.install_stub(self.stub, self.app.folder, [RECORDER])
        recorder = '"%s" "%%1"' % e2elib.windows_path(os.path.join(self.app.folder, RECORDER))
        for key in HANDLERS.values():
            self.addCleanup(self.restore_handler, key, e2elib.reg_query_default(key))
            e2elib.reg_set_default(key, recorder)
        self.open_about()
        links = self.find_links()
        self.assertEqual(len(links), 2, "expected the web and the mail link; screen saved to %s" % self.save_screen())
        expected = ["https://www.orvalis.example/", "mailto:support@orvalis.example"]
        for count, ((x, y), address) in enumerate(zip(links, expected)):
            e2elib.click(self.client[0] + x, self.client[1] + y)
            records = self.wait_records(count + 1)
            self.assertEqual(len(records), count + 1, "the link to %s opened nothing" % address)
            time.sleep(0.5)
            self.assertEqual([r[2] for r in self.records()[count:]], [[address]])
        # The picture and the Updates button open the web site.
        left, top, width, height = IMAGE_RECT
        e2elib.click(self.client[0] + left + width // 2, self.client[1] + top + height // 2)
        self.wait_records(3)
        e2elib.key("ctrl+Tab")
        time.sleep(0.5)
        e2elib.key("alt+u")
        self.wait_records(4)
        time.sleep(0.5)
        self.assertEqual([r[2] for r in self.records()[2:]], [["https://www.orvalis.example/"]] * 2)
        self.assertTrue(self.dialog_open(), "opening links closed the dialog")

    def find_links(self):
        """Client points in the middle of each run of link-blue text rows on the About page."""
        left, top, width, height = PAGES_RECT
        page = self.grab_dialog(left, top, width, height)
        rows = {}
        for y in range(height):
            xs = [x for x in range(width) if page.pixel(x, y) == LINK_BLUE]
            if xs:
                rows[y] = (min(xs), max(xs))
        groups = []
        for y in sorted(rows):
            if groups and y - groups[-1][-1] <= 2:
                groups[-1].append(y)
            else:
                groups.append([y])
        points = []
        for g in groups:
            x0 = min(rows[y][0] for y in g)
            x1 = max(rows[y][1] for y in g)
            points.append((left + (x0 + x1) // 2, top + (g[0] + g[-1]) // 2))
        return points

    @staticmethod
    def restore_handler(key, previous):
        if previous is None:
            e2elib.reg_delete_key(key)
        else:
            e2elib.reg_set_default(key, previous)


if __name__ == "__main__":
    e2elib.main(AboutDialog)
