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
import tempfile
import unittest

import wrivo

DIST = os.environ.get("WRIVO_DIST", "")
SHIPPED = os.path.join(os.path.dirname(DIST), "release", "Wrivo.exe")
ENGLISH = {"WRIVO_LOCALE": "en_US.UTF-8"}
CODE_PAGE_NOTICE = "代码页提醒："
NAME_NOT_SPELT = "打开失败："


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
        chinese = self.caption_under({})
        english = self.caption_under(ENGLISH)
        self.assertEqual(english, chinese)

    def test_without_the_manifest_s_code_page_english_gets_the_notice(self):
        # The same program whose manifest asks for en-US instead: under en_US
        # it runs in code page 1252, so the locale really reaches the program
        # and the test above means something.
        with open(self.program, "rb") as f:
            data = f.read()
        asked = b">zh-CN</activeCodePage>"
        self.assertEqual(data.count(asked), 1)
        with open(self.program, "wb") as f:
            f.write(data.replace(asked, b">en-US</activeCodePage>"))
        session = wrivo.Session(environment=ENGLISH, program=self.program)
        with contextlib.closing(session.start(wrivo.windows_path(self.document))):
            session.answer(CODE_PAGE_NOTICE, "Return", wrivo.FIRST_WINDOW_TIMEOUT)
            # Nor can 1252 spell the document's Chinese name; that notice goes
            # through the ANSI functions, so its GBK title reads as Latin letters.
            session.answer(NAME_NOT_SPELT.encode("gbk").decode("cp1252"), "Return")


if __name__ == "__main__":
    unittest.main()
