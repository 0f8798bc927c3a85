"""The launcher's picture buttons as the user sees them: which picture each shows
at rest, under the pointer and while held, and what a release off the button does."""

import os
import sys

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2elib  # noqa: E402


FUCHSIA = (255, 0, 255)


def idle_face():
    """The skin with every button's normal picture on it."""
    skin = e2elib.skin_picture()
    face = bytearray(skin.rgb)
    for name, _, _ in e2elib.LAUNCHER_BUTTONS:
        left, top, width, height = e2elib.button_rect(name)
        picture = e2elib.button_picture(name, "normal")
        for y in range(height):
            start = ((top + y) * skin.width + left) * 3
            face[start : start + width * 3] = picture.rgb[y * width * 3 : (y + 1) * width * 3]
    return skin, e2elib.Image(skin.width, skin.height, bytes(face))


class LauncherButtons(e2elib.LauncherTestCase):
    def changed_outside(self, name):
        """Face pixels outside the button (and the info line) that are not as at rest."""
        skin, face = self.face
        shot = self.grab_client(0, 0, skin.width, skin.height)
        bl, bt, bw, bh = e2elib.button_rect(name)
        il, it, iw, ih = e2elib.INFO_LINE_RECT
        wrong = []
        for y in range(skin.height):
            row = slice(y * skin.width * 3, (y + 1) * skin.width * 3)
            if shot.rgb[row] == face.rgb[row]:
                continue
            for x in range(skin.width - 1):
                if (bl <= x < bl + bw and bt <= y < bt + bh) or (il <= x < il + iw and it <= y < it + ih):
                    continue
                if skin.pixel(x, y) != FUCHSIA and shot.pixel(x, y) != face.pixel(x, y):
                    wrong.append((x, y))
        return wrong

    def test_every_button_shows_normal_hover_and_pressed_and_a_release_off_it_clicks_nothing(self):
        self.face = idle_face()
        for name, _, _ in e2elib.LAUNCHER_BUTTONS:
            self.assert_shows(name, "normal", why="at rest")
        for name, _, _ in e2elib.LAUNCHER_BUTTONS:
            with self.subTest(button=name):
                self.move_onto(name)
                self.assert_shows(name, "hover", why="with the pointer on it")
                e2elib.mouse_down()
                # The title buttons have no pressed picture: they stay normal while held.
                self.assert_shows(name, "pressed", why="while held")
                # Exactly at its bounds: around it the face is as at rest.
                wrong = self.changed_outside(name)
                self.assertEqual(wrong, [], "pixels changed outside %s while held (%d, first %s)"
                                 % (name, len(wrong), wrong[:5]))
                self.move_to(*e2elib.SKIN_SPOT)
                self.assert_shows(name, "normal", why="held and dragged off")
                e2elib.mouse_up()
                self.assert_shows(name, "normal", why="released off it")
                self.assertEqual(self.new_windows(), [], "a window opened after releasing off %s" % name)
        self.assertTrue(self.app.running(), "the launcher ended after releases off its buttons")
        # A real click afterwards starts its tool: had a release off a button
        # started one, it would be recorded before this one.
        self.click_button("ButtonVCDDVDVideo")
        self.assert_started("Mirolan.exe", 0, "after releases off every button and one click")

    def test_held_button_dragged_off_and_back_shows_hover_again_and_releasing_there_clicks(self):
        self.move_onto("ButtonDataCDDVD")
        self.assert_shows("ButtonDataCDDVD", "hover")
        e2elib.mouse_down()
        self.assert_shows("ButtonDataCDDVD", "pressed")
        self.move_to(*e2elib.SKIN_SPOT)
        self.assert_shows("ButtonDataCDDVD", "normal", why="dragged off")
        self.move_onto("ButtonDataCDDVD")
        self.assert_shows("ButtonDataCDDVD", "hover", why="dragged back")
        e2elib.mouse_up()
        self.assert_started("Tarvek.exe", 0, "by releasing over the button it was pressed on")

    def test_close_button_lies_over_the_last_two_columns_of_the_minimise_button(self):
        min_left = e2elib.button_rect("ButtonMin")[0]
        close_left, top, _, height = e2elib.button_rect("ButtonClose2")
        overlap = [close_left - min_left + i for i in range(2)]  # ButtonMin's columns 27 and 28

        def columns_shown():
            return self.grab_client(close_left, top, 2, height)

        at_rest = e2elib.columns_of(e2elib.button_picture("ButtonClose2", "normal"), [0, 1])
        self.assertTrue(e2elib.wait_until(lambda: columns_shown().rgb == at_rest.rgb, timeout=5),
                        "x = 399..400 does not show ButtonClose2's normal picture")
        # Hovering ButtonMin repaints it, and still the shared columns stay ButtonClose2's.
        min_hover = e2elib.columns_of(e2elib.button_picture("ButtonMin", "hover"), overlap)
        self.assertNotEqual(at_rest.rgb, min_hover.rgb, "the pictures agree in the shared columns: no proof")
        self.move_onto("ButtonMin")
        self.assert_shows("ButtonMin", "hover")
        self.assertEqual(columns_shown().rgb, at_rest.rgb, "ButtonMin painted over ButtonClose2")
        # The pointer on x = 399 is on ButtonClose2, not ButtonMin.
        self.move_to(close_left, top + height // 2)
        self.assert_shows("ButtonClose2", "hover", why="with the pointer at x = 399")
        self.assert_shows("ButtonMin", "normal", why="with the pointer at x = 399")


if __name__ == "__main__":
    e2elib.main(LauncherButtons)
