"""Unsaved text survives the end of the program: the recovery copy written
while typing pauses is offered at the next start after a kill, and the text
thrown away by Del, new, open or exit lands on the shelf. Each test has a
local data folder of its own (WRIVO_TEST_LOCALAPPDATA), shared by the
programs it starts."""

import glob
import os
import shutil
import tempfile
import unittest

import wrivo
from wrivo import statistics_title as counts, wait_for

RESTORE = "恢复："
SAVE_QUESTION = "提示："
OPEN_WARNING = "温馨提示："
EXIT_QUESTION = "退出确认："
NOT_SAVED = "提醒："
COUNT_NOTICE = "Orvanne开发组感谢您使用 Wrivo3.7"
# A copy follows a 2 s pause; the worker writes it soon after.
COPY_TIMEOUT = 30.0 * wrivo.SLOWDOWN
# Reading, laying out and copying a megabyte takes Wine many seconds.
MEGABYTE_TIMEOUT = 120.0 * wrivo.SLOWDOWN


class Recovery(unittest.TestCase):
    def setUp(self):
        self.local = tempfile.mkdtemp(prefix="wrivo-local-")
        self.addCleanup(shutil.rmtree, self.local, True)
        self.environment = {"WRIVO_TEST_LOCALAPPDATA": wrivo.windows_path(self.local)}

    # ---- helpers

    def start(self):
        session = wrivo.Session(self.environment)
        self.addCleanup(session.close)
        session.start()
        return session, session.ready_main()

    def texts(self, folder, pattern="*.txt"):
        found = []
        for path in glob.glob(os.path.join(self.local, "Wrivo", folder, pattern)):
            with open(path, "rb") as f:
                found.append(f.read())
        return sorted(found)

    def copies(self):
        """The texts of the recovery copies: each copy file is its record
        (seven lines) and then the text."""
        return sorted(copy.split(b"\r\n", 7)[7] for copy in self.texts("Recovery", "*.copy"))

    def shelf(self):
        return self.texts("Discarded")

    def wait_copies(self, expected, timeout=COPY_TIMEOUT):
        """Waits until the copies hold `expected` (a copy arrives whole: its
        record and text are one file, renamed into place)."""
        wait_for(lambda: self.copies() == sorted(expected), timeout,
                 "recovery copies %r (there are %r)" % (expected, self.copies()))

    def records(self):
        """The names of the copy files, one per program."""
        return {os.path.basename(p) for p in
                glob.glob(os.path.join(self.local, "Wrivo", "Recovery", "*.copy"))}

    def wait_replaced(self, old_records, expected, timeout=COPY_TIMEOUT):
        """Waits until the copies of the programs that ended are gone and the
        copies hold `expected` (a restored text is copied again under the
        program that restored it)."""
        wait_for(lambda: not (self.records() & old_records) and self.copies() == sorted(expected),
                 timeout, "copies %r, none of %r left" % (expected, old_records))

    def wait_shelf(self, expected, timeout=wrivo.TIMEOUT):
        wait_for(lambda: self.shelf() == sorted(expected), timeout,
                 "shelf %r (it holds %r)" % (expected, self.shelf()))

    @staticmethod
    def choose_file(session, main, path):
        dialog = wait_for(lambda: session.other_window(main), wrivo.TIMEOUT, "the file dialog")
        session.type(wrivo.windows_path(path))
        session.key("Return")
        session.wait_gone(dialog)

    def assert_nothing_offered(self, session, main):
        """The count notice (Ctrl+Q) only reaches the main window once the
        start is over: if it shows, no recovery question came first."""
        session.click_editor(main)
        session.key("ctrl+q")
        session.answer(COUNT_NOTICE, "Return")
        self.assertFalse([w for w in session.windows() if w.title() == RESTORE])

    # ---- tests

    def test_killed_program_is_offered_its_text_and_no_shelves_it(self):
        first, main = self.start()
        first.type("crash test")
        first.wait_title(main, counts(1, "4.5"))
        self.wait_copies([b"crash test"])
        killed = self.records()
        first.close()   # killed: nothing is cleaned up

        second, main = self.start()
        second.answer(RESTORE, "y")   # 是(Y)
        second.wait_title(main, counts(1, "4.5"))
        # The old copy goes once this program's own copy holds the text.
        self.wait_replaced(killed, [b"crash test"])
        second.close()

        third, main = self.start()
        third.answer(RESTORE, "n")   # 否(N): to the shelf
        self.wait_shelf([b"crash test"])
        self.assertEqual(self.copies(), [])
        third.close()

        fourth, main = self.start()
        self.assert_nothing_offered(fourth, main)

    def test_a_megabyte_comes_back_byte_for_byte_with_its_file_name(self):
        line = "第%06d行 text of the novel\r\n"
        text = "".join(line % i for i in range(40000)).encode("gbk")[:1 << 20]
        path = os.path.join(self.local, "novel.txt")
        with open(path, "wb") as f:
            f.write(text)
        first, main = self.start()
        first.key("ctrl+d")   # an empty document: straight to the dialog
        self.choose_file(first, main, path)
        wait_for(lambda: main.title().startswith("Orvanne"), MEGABYTE_TIMEOUT, "the opened file's counts")
        first.click_editor(main)
        first.type("x")
        # The copy's text is written before its record: wait for both, or the
        # program is killed with a copy the next start cannot offer.
        wait_for(lambda: [len(c) for c in self.copies()] == [len(text) + 1],
                 MEGABYTE_TIMEOUT, "a copy of the edited megabyte")
        edited = self.copies()[0]
        killed = self.records()
        first.close()

        second, main = self.start()
        # The offer comes once the megabyte copy has been read and checked.
        second.answer(RESTORE, "y", MEGABYTE_TIMEOUT)
        # This program's own copy, made from the restored document: the same
        # bytes, and the file name the document remembers again.
        self.wait_replaced(killed, [edited], MEGABYTE_TIMEOUT)
        (record,) = self.records()
        with open(os.path.join(self.local, "Wrivo", "Recovery", record), "rb") as f:
            self.assertIn(b"\r\nfile=" + wrivo.windows_path(path).encode() + b"\r\n", f.read())

    def test_copy_goes_when_saved_and_when_put_back(self):
        session, main = self.start()
        session.type("abc")
        self.wait_copies([b"abc"])
        session.save_as(main, os.path.join(session.folder, "saved.txt"))
        self.wait_copies([])
        session.click_editor(main)
        session.key("ctrl+End")
        session.type("d")
        self.wait_copies([b"abcd"])
        session.key("BackSpace")   # back to the saved text
        self.wait_copies([])
        self.assertEqual(self.shelf(), [])

    def test_discarded_text_lands_on_the_shelf(self):
        session, main = self.start()
        session.type("one")
        session.wait_title(main, counts(1, "1.5"))
        session.key("Delete")
        self.wait_shelf([b"one"])

        session.type("two")
        session.wait_title(main, counts(1, "1.5"))
        session.key("ctrl+a")
        session.answer(SAVE_QUESTION, "n")
        self.wait_shelf([b"one", b"two"])

        path = os.path.join(session.folder, "other.txt")
        with open(path, "wb") as f:
            f.write(b"file")
        session.click_editor(main)
        session.type("three")
        session.key("ctrl+d")
        session.answer(OPEN_WARNING, "y")
        self.choose_file(session, main, path)
        self.wait_shelf([b"one", b"two", b"three"])

        session.click_editor(main)
        session.key("Delete")   # the document equals its file: nothing to keep
        session.wait_title(main, wrivo.CLEAR_TITLE)
        session.type("four")
        session.wait_title(main, counts(1, "2"))
        session.key("alt+F4")
        session.answer(SAVE_QUESTION, "n")
        session.answer(EXIT_QUESTION, "y")
        self.assertEqual(session.exit_code(), 0)
        self.assertEqual(self.shelf(), [b"four", b"one", b"three", b"two"])
        self.assertEqual(self.copies(), [])

    def test_exit_after_a_cancelled_save_keeps_the_text_for_the_next_start(self):
        session, main = self.start()
        session.type("keep")
        session.wait_title(main, counts(1, "2"))
        session.key("alt+F4")
        session.answer(SAVE_QUESTION, "y")
        session.answer(wrivo.SAVE_AS, "Escape")
        session.answer(NOT_SAVED, "Return")
        session.answer(EXIT_QUESTION, "y")
        self.assertEqual(session.exit_code(), 0)
        self.assertEqual(self.shelf(), [b"keep"])
        self.assertEqual(self.copies(), [b"keep"])

        again, main = self.start()
        again.answer(RESTORE, "y")
        again.wait_title(main, counts(1, "2"))

    def test_two_programs_each_get_back_their_own_text(self):
        a, main_a = self.start()
        a.type("aaa")
        self.wait_copies([b"aaa"])
        of_a = self.records()
        b, main_b = self.start()
        b.click_editor(main_b)
        b.type("bbbbb")
        self.wait_copies([b"aaa", b"bbbbb"])
        of_b = self.records() - of_a
        a.close()

        c, main_c = self.start()   # b still runs: only a's text is offered
        c.answer(RESTORE, "y")
        c.wait_title(main_c, counts(1, "1.5"))
        self.wait_replaced(of_a, [b"aaa", b"bbbbb"])
        self.assertTrue(of_b <= self.records(), "b's copy is left alone")
        self.assertEqual(self.shelf(), [])
        b.close()

        d, main_d = self.start()
        d.answer(RESTORE, "y")
        d.wait_title(main_d, counts(1, "2.5"))
        self.wait_replaced(of_b, [b"aaa", b"bbbbb"])
        self.assertEqual(self.shelf(), [])


if __name__ == "__main__":
    unittest.main()
