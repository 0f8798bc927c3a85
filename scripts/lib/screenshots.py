"""Photographs the launcher and its About dialog for the README, on the display
and in the Wine prefix of the environment (scripts/screenshots sets them up)."""

import argparse
import os
import subprocess
import time
import sys

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "e2e"))
import e2elib  # noqa: E402

# Shows through where the launcher's outline cuts the window away; made transparent.
BACKDROP = "#01fe02"


def settled(window, app):
    """Waits until the window's pixels stop changing (painted); returns its geometry."""
    previous = None
    for _ in range(100):
        x, y, width, height = app.geometry(window)
        image = e2elib.grab(x, y, width, height)
        if previous is not None and image.rgb == previous.rgb:
            return x, y, width, height
        previous = image
        time.sleep(0.3)
    raise RuntimeError("window %s kept changing" % window)


def shows_hover(geometry, name):
    left, top, width, height = e2elib.button_rect(name)
    columns = e2elib.visible_columns(name)
    seen = e2elib.grab(geometry[0] + left, geometry[1] + top, width, height)
    hover = e2elib.button_picture(name, "hover")
    return e2elib.columns_of(seen, columns).rgb == e2elib.columns_of(hover, columns).rgb


def save(geometry, path):
    x, y, width, height = geometry
    screen = e2elib.run("import", "-window", "root", "-depth", "8", "ppm:-").stdout
    # -strip: no time stamps, so pictures of the same program are the same files.
    subprocess.run(["convert", "ppm:-", "-crop", "%dx%d+%d+%d" % (width, height, x, y), "+repage",
                    "-transparent", BACKDROP, "-strip", path], input=screen, check=True, timeout=60)
    print("screenshots: saved %s (%dx%d)" % (path, width, height))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--exe", required=True)
    parser.add_argument("--out", required=True)
    options = parser.parse_args()
    os.makedirs(options.out, exist_ok=True)

    e2elib.set_root_colour(BACKDROP)
    e2elib.mouse_move(0, 0)
    with e2elib.Launcher(os.path.abspath(options.exe)) as app:
        launcher = app.wait_window()
        geometry = settled(launcher, app)
        save(geometry, os.path.join(options.out, "launcher.png"))

        # Onto the button from the skin, as a user's pointer comes, then click.
        x, y = geometry[:2]
        e2elib.mouse_move(x + e2elib.SKIN_SPOT[0], y + e2elib.SKIN_SPOT[1])
        bx, by = e2elib.button_centre("ButtonAbout")
        e2elib.mouse_move(x + bx, y + by)
        # The hover picture shows that the button has seen the pointer arrive.
        if not e2elib.wait_until(lambda: shows_hover(geometry, "ButtonAbout"), timeout=10):
            raise RuntimeError("ButtonAbout shows no hover picture under the pointer")
        e2elib.run("xdotool", "click", "1")
        about = app.wait_window(r"^About Orvalis\.$", timeout=30)
        e2elib.mouse_move(0, 0)
        save(settled(about, app), os.path.join(options.out, "about.png"))


if __name__ == "__main__":
    main()
