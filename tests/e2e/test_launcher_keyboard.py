"""The launcher from the keyboard: no focus cue until the first Tab, then one on the focused
button, inside its bounds, moved by Tab and the arrows; the info line follows the focus
behind the mouse; Down, Alt+Down and F4 open a menu with its first entry selected, and
Escape leaves the focus on the button."""

import os
import sys
import time

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2elib  # noqa: E402

BUTTONS = [name for name, _, _ in e2elib.LAUNCHER_BUTTONS]
FIRST_TOOL = {"ButtonAudioCD": "Questo.exe", "ButtonMoreTools": "Dravin.exe"}


class LauncherKeyboard(e2elib.LauncherTestCase):
    def setUp(self):
        super().setUp()
        # X hands the keys to the window under the pointer: rest it on the face, off every button.
        self.move_to(*e2elib.SKIN_SPOT)

    def cue_pixels(self, name):
        """(x, y) of the button's visible pixels that differ from its normal picture."""
        left, top, width, height = e2elib.button_rect(name)
        columns = e2elib.visible_columns(name)
        seen = e2elib.columns_of(self.grab_client(left, top, width, height), columns).rgb
        normal = e2elib.columns_of(e2elib.button_picture(name, "normal"), columns).rgb
        return [(columns[i % len(columns)], i // len(columns))
                for i in range(len(seen) // 3) if seen[i * 3 : i * 3 + 3] != normal[i * 3 : i * 3 + 3]]

    def assert_cue_on(self, name, why):
        if not e2elib.wait_until(lambda: all(bool(self.cue_pixels(b)) == (b == name) for b in BUTTONS),
                                 timeout=5, interval=0.05):
            self.fail("focus cue expected on %s alone %s, seen on %s; screen saved to %s"
                      % (name, why, [b for b in BUTTONS if self.cue_pixels(b)], self.save_screen()))
        _, _, width, height = e2elib.button_rect(name)
        edge = [(x, y) for x, y in self.cue_pixels(name) if min(x, y, width - 1 - x, height - 1 - y) < 2]
        self.assertEqual(edge, [], "the cue of %s reaches its edge" % name)

    def press(self, *keys):
        e2elib.key(*keys)

    def info_line(self):
        """The info line once it holds still (both labels are written in turn)."""
        def still():
            first = self.grab_client(*e2elib.INFO_LINE_RECT)
            time.sleep(0.15)
            return first if self.grab_client(*e2elib.INFO_LINE_RECT).rgb == first.rgb else None
        return e2elib.wait_until(still, timeout=5, interval=0.01).rgb

    def test_no_cue_before_tab_then_tab_and_the_arrows_move_it_and_the_info_line_follows(self):
        time.sleep(0.3)  # the first button has the focus from the start, unseen
        self.assertEqual([b for b in BUTTONS if self.cue_pixels(b)], [], "a cue before any key")
        welcome = self.info_line()
        self.press("Tab")
        self.assert_cue_on("ButtonClose2", "after the first Tab")
        self.press("Tab")
        self.assert_cue_on("ButtonDataCDDVD", "after the second Tab")
        data_text = self.info_line()
        self.assertNotEqual(data_text, welcome, "the info line did not follow the focus")
        self.press("Right")
        self.assert_cue_on("ButtonVCDDVDVideo", "after Right")
        self.press("Down")
        self.assert_cue_on("ButtonAbout", "after Down from the second large button")
        self.assertEqual(self.info_line(), welcome, "the focus left the large buttons")
        self.press("Up", "Left", "Left")
        self.assert_cue_on("ButtonMoreTools", "after Up and Left twice, round the row")
        self.press("Right")
        self.assert_cue_on("ButtonDataCDDVD", "back round the row")
        self.assertEqual(self.info_line(), data_text)
        # The mouse has priority; the focused button's text returns when it leaves.
        self.move_onto("ButtonAudioCD")
        self.assert_shows("ButtonAudioCD", "hover")
        self.assertNotIn(self.info_line(), (welcome, data_text))
        self.move_to(*e2elib.SKIN_SPOT)
        self.assertEqual(self.info_line(), data_text)

    def open_by_key(self, keyname):
        e2elib.key(keyname)
        found = e2elib.wait_until(lambda: [w for w in self.new_windows() if w.override_redirect], timeout=5)
        self.assertTrue(found, "no menu opened by %s; screen saved to %s" % (keyname, self.save_screen()))
        return found[0]

    def close_with(self, keyname, menu):
        e2elib.key(keyname)
        closed = e2elib.wait_until(lambda: not (w := e2elib.top_window(menu.id)) or not w.mapped, timeout=5)
        self.assertTrue(closed, "the menu stayed open after %s" % keyname)

    def test_down_alt_down_and_f4_open_the_menu_with_its_first_entry_selected_and_escape_returns(self):
        self.press("Tab", "Tab", "Right", "Right")
        started = 0
        for button, keyname, move in (("ButtonAudioCD", "Down", None), ("ButtonMoreTools", "alt+Down", "Right"),
                                      ("ButtonAudioCD", "F4", "Left")):
            with self.subTest(button=button, key=keyname):
                if move:
                    self.press(move)
                self.assert_cue_on(button, "before %s" % keyname)
                # Enter chooses the selected entry: the first one.
                self.close_with("Return", self.open_by_key(keyname))
                self.assert_started(FIRST_TOOL[button], started, "by %s and Enter" % keyname)
                started += 1
        self.close_with("Escape", self.open_by_key("Down"))
        self.assert_cue_on("ButtonAudioCD", "after Escape: the focus is back on the button")
        self.close_with("Escape", self.open_by_key("F4"))
        time.sleep(0.5)
        self.assertEqual(len(self.records()), started, "Escape started something")


if __name__ == "__main__":
    e2elib.main(LauncherKeyboard)
