"""The two drop-down menus: where they open, every entry chosen by a click and by
its accelerator key, and Escape closing a menu without starting anything."""

import os
import sys
import time

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2elib  # noqa: E402

# Per menu button: its entries top to bottom (the separator is no entry) as
# (tool started, accelerator key).
MENUS = {
    "ButtonAudioCD": [("Questo.exe", "a"), ("Pelvane.exe", "u")],
    "ButtonMoreTools": [("Dravin.exe", "i"), ("Kolmet.exe", "s"), ("Sarneth.exe", "o"),
                        ("Ulbrin.exe", "d"), ("Fostrel.exe", "e")],
}


def text_bands(menu):
    """Row ranges (top, bottom) of the menu's entry captions: rows with dark text
    pixels inside the frame; an underline close below its caption joins it."""
    inset = 4
    dark_rows = []
    for y in range(inset, menu.height - inset):
        if any(max(menu.pixel(x, y)) < 90 for x in range(inset, menu.width - inset)):
            dark_rows.append(y)
    bands = []
    for y in dark_rows:
        if bands and y - bands[-1][1] <= 3:
            bands[-1][1] = y
        else:
            bands.append([y, y])
    return [tuple(b) for b in bands]


class LauncherMenus(e2elib.LauncherTestCase):
    def open_menu(self, button):
        """Clicks the button and waits for its menu; returns the menu's TopWindow."""
        self.click_button(button)
        found = e2elib.wait_until(lambda: [w for w in self.new_windows() if w.override_redirect
                                           and w.width > 20 and w.height > 20], timeout=5)
        if not found:
            self.fail("no menu opened for %s; screen saved to %s" % (button, self.save_screen()))
        self.assertEqual(len(found), 1, "more than one new window: %s" % found)
        return found[0]

    def wait_menu_closed(self, menu):
        closed = e2elib.wait_until(lambda: not (w := e2elib.top_window(menu.id)) or not w.mapped, timeout=5)
        self.assertTrue(closed, "the menu stayed open")

    def entry_points(self, menu, count):
        """Screen points in the middle of each entry's caption."""
        image = e2elib.grab(menu.x, menu.y, menu.width, menu.height)
        bands = text_bands(image)
        if len(bands) != count:
            self.fail("caption rows %s in the menu, expected %d; screen saved to %s"
                      % (bands, count, self.save_screen()))
        return [(menu.x + menu.width // 2, menu.y + (top + bottom) // 2) for top, bottom in bands]

    def test_both_menus_open_at_the_lower_left_corner_of_their_button_and_keep_the_info_line(self):
        x, y = self.origin
        for button in MENUS:
            with self.subTest(button=button):
                left, top, _, height = e2elib.button_rect(button)
                # The menu covers the info line from the button's left edge on.
                info_left, info_top, _, info_height = e2elib.INFO_LINE_RECT
                uncovered = (info_left, info_top, left - info_left, info_height)
                welcome = self.grab_client(*uncovered)
                self.move_onto(button)
                self.assert_shows(button, "hover")
                e2elib.wait_until(lambda: self.grab_client(*uncovered).rgb != welcome.rgb, timeout=3)
                time.sleep(0.3)
                text = self.grab_client(*uncovered)
                self.assertNotEqual(text.rgb, welcome.rgb, "no hover text over %s" % button)
                menu = self.open_menu(button)
                try:
                    self.assertEqual((menu.x, menu.y), (x + left, y + top + height),
                                     "menu of %s at %s" % (button, menu))
                    self.assertEqual(self.grab_client(*uncovered).rgb, text.rgb,
                                     "the info line changed while the menu is open")
                finally:
                    e2elib.key("Escape")
                    self.wait_menu_closed(menu)

    def test_every_entry_starts_its_tool_when_clicked(self):
        started = 0
        for button, entries in MENUS.items():
            for index, (tool, _) in enumerate(entries):
                with self.subTest(tool=tool):
                    menu = self.open_menu(button)
                    point = self.entry_points(menu, len(entries))[index]
                    e2elib.mouse_move(*point)
                    e2elib.run("xdotool", "click", "1")
                    self.wait_menu_closed(menu)
                    self.assert_started(tool, started, "by clicking its entry under %s" % button)
                    started += 1

    def test_every_entry_starts_its_tool_by_its_accelerator_key(self):
        started = 0
        for button, entries in MENUS.items():
            # Twice through each menu: the accelerators stay the same at the next opening.
            for tool, letter in entries + entries[:1]:
                with self.subTest(tool=tool, key=letter):
                    menu = self.open_menu(button)
                    e2elib.key(letter)
                    self.wait_menu_closed(menu)
                    self.assert_started(tool, started, "by the key %s under %s" % (letter, button))
                    started += 1

    def test_a_menu_that_would_leave_the_screen_is_moved_into_it(self):
        screen_height = e2elib.screen_size()[1]
        x, y = self.origin
        # Drag the face until the launcher's bottom edge lies on the screen's.
        target_y = screen_height - e2elib.LAUNCHER_SIZE[1]
        e2elib.drag(x + e2elib.SKIN_SPOT[0], y + e2elib.SKIN_SPOT[1], 0, target_y - y, steps=12)
        moved = e2elib.wait_until(lambda: self.app.geometry(self.window)[:2] == (x, target_y), timeout=5)
        self.assertTrue(moved, "the launcher is at %s, not at %s" % (self.app.geometry(self.window)[:2], (x, target_y)))
        self.origin = (x, target_y)
        left, top, _, height = e2elib.button_rect("ButtonMoreTools")
        menu = self.open_menu("ButtonMoreTools")
        self.assertGreater(target_y + top + height + menu.height, screen_height, "the menu would fit: no proof")
        self.assertEqual(menu.x, x + left, "menu moved sideways: %s" % menu)
        self.assertLessEqual(menu.y + menu.height, screen_height, "menu leaves the screen: %s" % menu)
        self.assertGreaterEqual(menu.y, 0, "menu leaves the screen: %s" % menu)
        e2elib.key("e")
        self.wait_menu_closed(menu)
        self.assert_started("Fostrel.exe", 0, "from the moved menu")

    def test_escape_closes_a_menu_without_starting_anything(self):
        for button in MENUS:
            with self.subTest(button=button):
                menu = self.open_menu(button)
                e2elib.key("Escape")
                self.wait_menu_closed(menu)
                self.assertTrue(self.app.running())
        # A start afterwards is the first and only one recorded.
        self.click_button("ButtonDataCDDVD")
        self.assert_started("Tarvek.exe", 0, "after two menus closed by Escape")


if __name__ == "__main__":
    e2elib.main(LauncherMenus)
