"""Saving the document through the real save dialog writes its exact bytes."""

import os
import unittest

import wrivo
from wrivo import statistics_title as counts

EXIT_QUESTION = "退出确认："


class Save(unittest.TestCase):
    def setUp(self):
        self.session = wrivo.Session().start()
        self.addCleanup(self.session.close)
        self.main = self.session.ready_main()

    def test_ctrl_s_writes_the_text_with_its_line_break(self):
        self.session.type("abc")
        self.session.key("Return")
        self.session.type("de")
        self.session.wait_title(self.main, counts(2, "2.5"))

        path = os.path.join(self.session.folder, "out.txt")
        self.session.save_as(self.main, path)

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
