"""Takes the README's pictures: docs/splash.png and docs/main-window.png.

Run by hand, with the same environment as the e2e tests (see wrivo.py), for
example:
  tools/xvfb-session.sh --private env WRIVO_EXE=build/win32/bin/Wrivo.exe \\
      WRIVO_WINE_RUN=tools/wine-run.sh WINEPREFIX=$PWD/build/win32/wineprefix \\
      python3 tests/e2e/take_screenshots.py docs
It grabs the screen with ImageMagick's `import`, which only this script uses,
so make test does not install it: apt-get install imagemagick first.
"""

import os
import shutil
import subprocess
import sys
import time

import wrivo


def grab(window, path):
    x, y, width, height = window.geometry()
    subprocess.run(["import", "-window", "root", "-crop",
                    "%dx%d+%d+%d" % (width, height, x, y), "+repage", path], check=True)


def main(folder):
    if not shutil.which("import"):
        sys.exit("take_screenshots: ImageMagick's import is missing (apt-get install imagemagick)")
    os.makedirs(folder, exist_ok=True)
    with wrivo.Session() as session:
        splash = session.wait_splash()
        # The picture is at its fullest about halfway through the 28 frames.
        time.sleep(0.8)
        grab(splash, os.path.join(folder, "splash.png"))
        main_window = session.ready_main()
        session.type("Wrivo counts as you type.")
        session.key("Return")
        session.type("One row per paragraph below.")
        session.key("Return")
        session.wait_title(main_window, wrivo.statistics_title(2, "22.5"))
        # The caption changes before Wine has repainted the text: let it settle.
        time.sleep(1.5)
        grab(main_window, os.path.join(folder, "main-window.png"))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "docs")
