"""The launcher and the About dialog on a display scaled above 100%: a Wine prefix
whose LogPixels is the scale (ORVALIS_DPI, WINEPREFIX). The window is the scaled
skin's size and shape, wears the artwork of that scale, starts its tools, drops its
menus at the scaled points and blends the scaled About picture over white.

Run by ctest once per scale (see CMakeLists.txt); without its prefix it skips.
"""

import os
import sys
import time
import unittest

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2elib  # noqa: E402

S = e2elib.scaled
FUCHSIA = (255, 0, 255)
BEHIND = (0, 255, 0)
BEHIND_NAME = "#00ff00"
DIALOG_NAME = r"^About Orvalis\.$"


class ScaledLauncher(e2elib.LauncherTestCase):
    @classmethod
    def setUpClass(cls):
        if e2elib.SCALE_DPI == 96 or not os.path.isfile(os.path.join(os.environ["WINEPREFIX"], "system.reg")):
            raise unittest.SkipTest("no prefix at %d dpi: run through scripts/test" % e2elib.SCALE_DPI)

    def setUp(self):
        e2elib.set_root_colour(BEHIND_NAME)
        super().setUp()

    def test_size_shape_and_face_are_the_scaled_skins(self):
        x, y, width, height = self.app.geometry(self.window)
        self.assertEqual((width, height), e2elib.LAUNCHER_SIZE)
        self.assertEqual((width, height), (S(444), S(217)))
        skin = e2elib.skin_picture()
        self.assertEqual((skin.width, skin.height), (width, height))
        controls = [e2elib.button_rect(name) for name, _, _ in e2elib.LAUNCHER_BUTTONS]
        controls.append(e2elib.INFO_LINE_RECT)

        def free(px, py):
            return not any(l <= px < l + w and t <= py < t + h for l, t, w, h in controls)

        shot = e2elib.grab(x, y, width, height)
        wrong_shape, wrong_face = [], []
        for py in range(height):
            for px in range(width):
                seen = shot.pixel(px, py)
                cut = px == width - 1 or skin.pixel(px, py) == FUCHSIA
                if cut != (seen == BEHIND):
                    wrong_shape.append((px, py))
                elif not cut and free(px, py) and seen != skin.pixel(px, py):
                    wrong_face.append(((px, py), seen, skin.pixel(px, py)))
        self.assertEqual(wrong_shape[:5], [], "%d pixels of the shape differ from the skin's opaque pixels"
                         % len(wrong_shape))
        self.assertEqual(wrong_face[:5], [], "%d face pixels differ from the scaled skin" % len(wrong_face))

    def test_each_large_button_shows_its_scaled_normal_hover_and_pressed_pictures(self):
        for name in e2elib.LARGE_BUTTONS:
            with self.subTest(button=name):
                self.assert_shows(name, "normal")
                self.move_to(*e2elib.SKIN_SPOT)
                self.move_onto(name)
                self.assert_shows(name, "hover")
                e2elib.mouse_down()
                try:
                    self.assert_shows(name, "pressed")
                finally:
                    # Released off the button: no click.
                    self.move_to(*e2elib.SKIN_SPOT)
                    e2elib.mouse_up()
                self.assert_shows(name, "normal")
        self.assertEqual(self.records(), [], "a press released off its button started a tool")

    def test_a_click_starts_the_tool(self):
        self.click_button("ButtonDataCDDVD")
        self.assert_started("Tarvek.exe", 0)

    def test_a_menu_drops_at_its_buttons_scaled_lower_left_corner(self):
        self.click_button("ButtonAudioCD")
        found = e2elib.wait_until(lambda: [w for w in self.new_windows() if w.override_redirect
                                           and w.width > 20 and w.height > 20], timeout=5)
        self.assertTrue(found, "no menu opened; screen saved to %s" % self.save_screen())
        left, top, _, height = e2elib.button_rect("ButtonAudioCD")
        self.assertEqual((left, top + height), (S(225), S(148)))
        self.assertEqual((found[0].x, found[0].y), (self.origin[0] + left, self.origin[1] + top + height))
        e2elib.key("Escape")

    def test_the_about_picture_is_the_scaled_picture_blended_over_white(self):
        self.click_button("ButtonAbout")
        window = e2elib.wait_until(
            lambda: e2elib.run("xdotool", "search", "--onlyvisible", "--name", DIALOG_NAME,
                               check=False).stdout.split(), timeout=10)
        self.assertTrue(window, "no About dialog opened")
        x, y, w, h = self.app.geometry(window[0].decode())
        client_w, client_h = S(523), S(298)
        border = (w - client_w) // 2
        client = (x + border, y + h - client_h - border)
        # ImageLeft inside PanelmageLeft, and the panel's white inside its two bevels.
        image = (S(12) + S(2), S(12) + S(2), S(171), S(238))
        bevels = 2 * S(1)
        inside = (S(12) + bevels, S(12) + bevels, S(175) - 2 * bevels, S(242) - 2 * bevels)
        left, top = max(image[0], inside[0]), max(image[1], inside[1])
        right = min(image[0] + image[2], inside[0] + inside[2])
        bottom = min(image[1] + image[3], inside[1] + inside[3])
        width, height, rows = e2elib.about_picture()
        self.assertEqual((width, height), (S(175), S(215)))
        # Centred as the image control centres it, truncating toward zero.
        offset = (int((image[2] - width) / 2), int((image[3] - height) / 2))
        expected = bytearray(b"\xff" * ((right - left) * (bottom - top) * 3))
        for ay in range(top, bottom):
            py = ay - image[1] - offset[1]
            if not 0 <= py < height:
                continue
            for ax in range(left, right):
                px = ax - image[0] - offset[0]
                if not 0 <= px < width:
                    continue
                r, g, b, a = rows[py][px]
                i = ((ay - top) * (right - left) + ax - left) * 3
                expected[i : i + 3] = bytes(((c * a + 255 * (256 - a)) >> 8) for c in (r, g, b))
        expected = e2elib.Image(right - left, bottom - top, bytes(expected))
        grab = lambda: e2elib.grab(client[0] + left, client[1] + top, right - left, bottom - top)  # noqa: E731
        e2elib.wait_until(lambda: grab().rgb == expected.rgb, timeout=5)
        count, first = e2elib.image_differences(grab(), expected)
        self.assertEqual(count, 0, "%d pixels of the picture differ, first %s; screen saved to %s"
                         % (count, first, self.save_screen()))
        e2elib.key("Return")
        time.sleep(0.3)


if __name__ == "__main__":
    e2elib.main(ScaledLauncher)
