"""Commands a person reaches from the keyboard: Esc hide and show, date and time."""

import os
import unittest

import wrivo
from wrivo import statistics_title as counts

HIDDEN_ALPHA = 6


class Commands(unittest.TestCase):
    def setUp(self):
        self.session = wrivo.Session().start()
        self.addCleanup(self.session.close)
        self.main = self.session.ready_main()

    def expect(self, title):
        self.session.wait_title(self.main, title)

    def wait_alpha(self, alpha):
        wrivo.wait_for(lambda: self.main.opacity() == alpha, wrivo.TIMEOUT,
                       "window alpha %d (it is %d)" % (alpha, self.main.opacity()))

    def test_esc_hides_the_window_and_esc_again_shows_it(self):
        self.session.type("ab")
        self.expect(counts(1, "1"))
        self.assertEqual(self.main.opacity(), 255)

        self.session.key("Escape")
        self.wait_alpha(HIDDEN_ALPHA)
        # While hidden the editor is disabled: typing inserts nothing.
        self.session.type("x")
        # The focus is on the main window now, so Esc shows it again.
        self.session.key("Escape")
        self.wait_alpha(255)
        # The editor has the focus back and the document is as it was:
        # "abc" counts 1.5; with the "x" it would be 2.
        self.session.type("c")
        self.expect(counts(1, "1.5"))
        self.assertEqual(self.main.geometry()[2:], wrivo.MAIN_SIZE)

    def test_hide_and_show_twice(self):
        for _ in range(2):
            self.session.key("Escape")
            self.wait_alpha(HIDDEN_ALPHA)
            self.session.key("Escape")
            self.wait_alpha(255)
        self.session.type("a")
        self.expect(counts(1, "0.5"))

    def test_notices_come_as_boxes_and_change_nothing(self):
        self.session.type("ab")
        self.expect(counts(1, "1"))
        for keys, title in (("ctrl+q", "Orvanne开发组感谢您使用 Wrivo3.7"),
                            ("ctrl+o", "快捷操作帮助说明：")):
            self.session.key(keys)
            self.session.answer(title, "Return")
            self.session.click_editor(self.main)
        # Back in the editor with the document as it was.
        self.session.type("c")
        self.expect(counts(1, "1.5"))

    def test_date_and_time_are_added_at_the_end_with_two_spaces_either_side(self):
        # A second run of the program whose clock stands at a known moment.
        self.session.close()
        self.session = wrivo.Session({"WRIVO_TEST_CLOCK": "2026-12-08 17:30:05"}).start()
        self.addCleanup(self.session.close)
        self.main = self.session.ready_main()
        self.session.type("ab")
        self.expect(counts(1, "1"))
        self.session.key("ctrl+w")
        moment = "2026年12月8日17时30分5秒".encode("gbk")
        # "ab" and the date-time text count; the spaces do not, and no line
        # break comes with it.
        self.expect(counts(1, "%.13g" % ((2 + len(moment)) / 2.0)))

        path = os.path.join(self.session.folder, "dated.txt")
        self.session.save_as(self.main, path)
        with open(path, "rb") as f:
            self.assertEqual(f.read(), b"ab  " + moment + b"  ")

if __name__ == "__main__":
    unittest.main()
