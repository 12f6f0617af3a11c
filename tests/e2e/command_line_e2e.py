"""A file named on the command line (Explorer's "Open with", a shortcut) is
opened once the main window is up, as the open command opens a chosen file:
the same notices, the rows, and the name the save dialog offers."""

import os
import unittest

import wrivo
from wrivo import statistics_title as counts, windows_path

TEXT = "第一章 开端\r\n天色 ok。".encode("gbk")
# Its caption: 2 paragraphs; 20 bytes without the spaces, halved, and the
# opened line break is not among the tracked ones, so 10. A typed x adds 0.5.


class CommandLine(unittest.TestCase):
    def setUp(self):
        self.session = wrivo.Session()
        self.addCleanup(self.session.close)

    def notice_then_empty_document(self, title):
        """The one box titled `title` once the main window is up; after OK
        the document is still empty, so the caption is the start title."""
        box = self.session.window_titled(title, wrivo.FIRST_WINDOW_TIMEOUT)
        main = self.session.wait_main()
        self.session.key("Return")
        self.session.wait_gone(box)
        self.assertEqual(main.title(), wrivo.START_TITLE)

    def save_over_the_offered_file(self, main):
        """Ctrl+S: the save dialog offers the opened file (Return alone takes
        it), asks before replacing it (y), and the save succeeds."""
        self.session.key("ctrl+s")
        dialog = wrivo.wait_for(lambda: self.session.other_window(main), wrivo.TIMEOUT, "the save dialog")
        self.session.wait_title(dialog, wrivo.SAVE_AS)
        self.session.key("Return")
        replace = wrivo.wait_for(
            lambda: next((w for w in self.session.windows() if w.xid not in (main.xid, dialog.xid)), None),
            wrivo.TIMEOUT, "the question whether to replace the file")
        self.session.key("y")
        self.session.wait_gone(replace)
        self.session.wait_gone(dialog)
        self.session.answer(wrivo.SAVED, "Return")

    def test_a_relative_path_names_a_file_of_the_folder_the_program_was_started_in(self):
        started_in = os.path.join(self.session.folder, "控制台")
        os.makedirs(os.path.join(started_in, "sub"))
        with open(os.path.join(started_in, "sub", "rel.txt"), "wb") as f:
            f.write(TEXT)
        self.session.start("sub\\rel.txt", cwd=started_in)
        main = self.session.window_titled(counts(2, 10), wrivo.FIRST_WINDOW_TIMEOUT)
        # Saved back where it came from, not into the program's own folder.
        self.session.click_editor(main)
        self.save_over_the_offered_file(main)
        self.assertFalse(os.path.exists(os.path.join(self.session.folder, "sub")))
        self.assertFalse(os.path.exists(os.path.join(self.session.folder, "rel.txt")))

    def test_the_first_of_several_paths_opens_and_ctrl_s_writes_back_to_it(self):
        folder = os.path.join(self.session.folder, "我的 文稿")
        os.mkdir(folder)
        path = os.path.join(folder, "第 1 稿.txt")
        with open(path, "wb") as f:
            f.write(TEXT)
        second = os.path.join(self.session.folder, "second.txt")
        with open(second, "wb") as f:
            f.write(b"not this one")
        self.session.start(windows_path(path), windows_path(second))
        main = self.session.window_titled(counts(2, 10), wrivo.FIRST_WINDOW_TIMEOUT)

        self.session.click_editor(main)
        self.session.key("ctrl+End")
        self.session.type("x")
        self.session.wait_title(main, counts(2, "10.5"))
        self.save_over_the_offered_file(main)
        with open(path, "rb") as f:
            self.assertEqual(f.read(), TEXT + b"x")
        with open(second, "rb") as f:
            self.assertEqual(f.read(), b"not this one")

    def test_a_missing_file_is_said_to_be_unreadable(self):
        self.session.start(windows_path(os.path.join(self.session.folder, "不在 这里.txt")))
        self.notice_then_empty_document("读取失败：")

    def test_a_name_gbk_cannot_spell_is_refused(self):
        path = os.path.join(self.session.folder, "稿한.txt")   # Hangul has no GBK spelling
        with open(path, "wb") as f:
            f.write(TEXT)
        self.session.start(windows_path(path))
        self.notice_then_empty_document("打开失败：")


if __name__ == "__main__":
    unittest.main()
