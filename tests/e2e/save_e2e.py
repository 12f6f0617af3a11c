"""Saving the document through the real save dialog writes its exact bytes."""

import os
import unittest

import wrivo
from wrivo import statistics_title as counts

SAVED = "恭喜："
EXIT_QUESTION = "退出确认："
SAVE_AS = "另存为"   # Wine's Chinese title of the save dialog


class Save(unittest.TestCase):
    def setUp(self):
        self.session = wrivo.Session().start()
        self.addCleanup(self.session.close)
        self.main = self.session.ready_main()

    def other_window(self):
        """The first visible window of the program that is not the main window."""
        found = [w for w in self.session.windows() if w.xid != self.main.xid]
        return found[0] if found else None

    def test_ctrl_s_writes_the_text_with_its_line_break(self):
        self.session.type("abc")
        self.session.key("Return")
        self.session.type("de")
        self.session.wait_title(self.main, counts(2, "2.5"))

        self.session.key("ctrl+s")
        dialog = wrivo.wait_for(self.other_window, wrivo.TIMEOUT, "the save dialog")
        self.session.wait_title(dialog, SAVE_AS)
        # The file name field has the focus; Wine's Z: drive is the Unix root.
        path = os.path.join(self.session.folder, "out.txt")
        self.session.type("Z:" + path.replace("/", "\\"))
        self.session.key("Return")
        self.session.wait_gone(dialog)
        box = self.session.window_titled(SAVED)
        self.session.key("Return")
        self.session.wait_gone(box)

        with open(path, "rb") as f:
            self.assertEqual(f.read(), b"abc\r\nde")
        # The document now matches its file: closing asks no save question.
        self.session.click_editor(self.main)
        self.session.key("alt+F4")
        self.session.window_titled(EXIT_QUESTION)
        self.session.key("y")
        self.assertEqual(self.session.exit_code(), 0)


if __name__ == "__main__":
    unittest.main()
