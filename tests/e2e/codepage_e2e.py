"""The shipped program under an English locale.

Wine's ANSI code page follows the Unix locale: en_US.UTF-8 gives 1252, as an
English Windows would. Wrivo's manifest asks for the zh-CN code page (936), so
the program must read a GBK file named in Chinese on its command line and
show the same caption as under zh_CN. Without the manifest the Chinese path
could not be spelt in the ANSI code page and the caption's Chinese would be
shown as Latin letters.
"""

import contextlib
import os
import shutil
import subprocess
import tempfile
import unittest

import wrivo

DIST = os.environ.get("WRIVO_DIST", "")
SHIPPED = os.path.join(os.path.dirname(DIST), "release", "Wrivo.exe")
ENGLISH = {"WRIVO_LOCALE": "en_US.UTF-8"}


class CodePage(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="wrivo-codepage-")
        self.addCleanup(shutil.rmtree, self.folder, True)
        self.program = os.path.join(self.folder, "Wrivo.exe")
        shutil.copyfile(SHIPPED, self.program)
        # The user guide as shipped: GBK, CR LF, every kind of character.
        source = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..",
                              "packaging", "使用说明.txt")
        with open(source, encoding="utf-8") as f:
            self.text = f.read().replace("\n", "\r\n").encode("gbk")
        self.document = os.path.join(self.folder, "说明 副本.txt")
        with open(self.document, "wb") as f:
            f.write(self.text)

    def caption_under(self, environment):
        expected = wrivo.file_statistics_title(self.text)
        session = wrivo.Session(environment=environment, program=self.program)
        with contextlib.closing(session.start(wrivo.windows_path(self.document))):
            main = session.window_titled(expected, wrivo.FIRST_WINDOW_TIMEOUT)
            # No code-page notice: once the splash is gone the main window is
            # the only window.
            wrivo.wait_for(lambda: [w.xid for w in session.windows()] == [main.xid],
                           wrivo.TIMEOUT, "the main window alone")
            return main.title()

    def test_english_locale_reads_gbk_as_the_chinese_locale_does(self):
        # The locale really changes Wine's code pages (the console's OEM page
        # is 437 under en_US, 936 under zh_CN), so the comparison means something.
        out = subprocess.run([os.environ["WRIVO_WINE_RUN"], "cmd", "/c", "chcp"],
                             env=dict(os.environ, **ENGLISH), capture_output=True,
                             timeout=60).stdout.decode("ascii", "replace")
        self.assertIn("437", out)

        chinese = self.caption_under({})
        english = self.caption_under(ENGLISH)
        self.assertEqual(english, chinese)


if __name__ == "__main__":
    unittest.main()
