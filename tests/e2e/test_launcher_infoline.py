"""The info line: each large button's description while the pointer is on it,
the welcome text again once it leaves."""

import os
import sys
import time

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2elib  # noqa: E402


class LauncherInfoLine(e2elib.LauncherTestCase):
    def info_line(self):
        return self.grab_client(*e2elib.INFO_LINE_RECT)

    def wait_info_line(self, predicate, timeout=5.0):
        """Waits until predicate(info line) holds; returns the last info line read."""
        last = []

        def check():
            last[:] = [self.info_line()]
            return predicate(last[0])

        e2elib.wait_until(check, timeout=timeout, interval=0.05)
        return last[0]

    def assert_info_line(self, expected, what, settle=0.3):
        """Waits for the info line to equal expected, then checks that it stays so."""
        seen = self.wait_info_line(lambda line: line.rgb == expected.rgb)
        if seen.rgb == expected.rgb:
            time.sleep(settle)  # a late second text would show up now
            seen = self.info_line()
        count, first = e2elib.image_differences(seen, expected)
        self.assertEqual(count, 0, "info line is not %s: first differences %s; screen saved to %s"
                         % (what, first, self.save_screen() if count else ""))

    def settled_info_line(self, welcome, pause=0.2):
        """The info line if it differs from welcome and stays the same for a moment, else None."""
        first = self.info_line()
        if first.rgb == welcome.rgb:
            return None
        time.sleep(pause)
        return first if self.info_line().rgb == first.rgb else None

    def hover_texts(self):
        """The info line while the pointer rests on each large button, leaving it in between."""
        welcome = self.info_line()
        texts = {}
        for name in e2elib.LARGE_BUTTONS:
            self.move_onto(name)
            self.assert_shows(name, "hover")
            # Both labels are written one after the other: take the line once it holds still.
            texts[name] = e2elib.wait_until(lambda: self.settled_info_line(welcome), timeout=5)
            self.assertTrue(texts[name], "the info line did not change over %s" % name)
            self.move_to(*e2elib.SKIN_SPOT)
            self.assert_info_line(welcome, "the welcome text after leaving %s" % name)
        return welcome, texts

    def test_each_large_button_writes_its_own_text_and_leaving_restores_the_welcome(self):
        welcome, texts = self.hover_texts()
        names = list(texts)
        for i, a in enumerate(names):
            for b in names[i + 1 :]:
                self.assertNotEqual(texts[a].rgb, texts[b].rgb, "%s and %s show the same text" % (a, b))
        # The other buttons leave the info line alone.
        for name in ("ButtonMin", "ButtonClose2", "ButtonHelp", "ButtonAbout", "ButtonHome"):
            self.move_onto(name)
            self.assert_shows(name, "hover")
            self.assert_info_line(welcome, "the welcome text over %s" % name)

    def test_moving_straight_from_one_large_button_onto_the_next_ends_with_the_second_text(self):
        welcome, texts = self.hover_texts()
        # Across the skin gap between the first two, in one jump.
        self.move_onto("ButtonDataCDDVD")
        self.assert_info_line(texts["ButtonDataCDDVD"], "ButtonDataCDDVD's text")
        self.move_onto("ButtonVCDDVDVideo")
        self.assert_info_line(texts["ButtonVCDDVDVideo"], "ButtonVCDDVDVideo's text after the jump", settle=0.6)
        # Across the shared edge of the last two, one pixel at a time.
        audio_left, top, _, _ = e2elib.button_rect("ButtonAudioCD")
        more_left = e2elib.button_rect("ButtonMoreTools")[0]
        y = top + 50
        self.move_to(more_left - 2, y)
        self.assert_info_line(texts["ButtonAudioCD"], "ButtonAudioCD's text")
        for x in (more_left - 1, more_left, more_left + 1):
            self.move_to(x, y)
        self.assert_info_line(texts["ButtonMoreTools"], "ButtonMoreTools' text after crossing", settle=0.6)
        self.move_to(*e2elib.SKIN_SPOT)
        self.assert_info_line(welcome, "the welcome text")


if __name__ == "__main__":
    e2elib.main(LauncherInfoLine)
