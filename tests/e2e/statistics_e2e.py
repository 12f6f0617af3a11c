"""The live counts in the caption while a person types, and the Delete key."""

import unittest

import wrivo
from wrivo import statistics_title as counts


class Statistics(unittest.TestCase):
    def setUp(self):
        self.session = wrivo.Session().start()
        self.addCleanup(self.session.close)
        self.main = self.session.ready_main()

    def expect(self, title):
        self.session.wait_title(self.main, title)

    def test_typing_counts_letters_as_halves(self):
        self.session.type("abc")
        self.expect(counts(1, "1.5"))

    def test_enter_starts_a_paragraph_and_backspace_takes_it_back(self):
        self.session.type("ab")
        self.expect(counts(1, "1"))
        # "ab\r\n": still one paragraph; the break counts 1 and is taken off.
        self.session.key("Return")
        self.expect(counts(1, "1"))
        self.session.type("c")
        self.expect(counts(2, "1.5"))
        # The first Backspace leaves the tracked break; the second removes the
        # break and the counter with it, so the third leaves "a" counting 0.5
        # (-0.5 if the counter had stayed).
        self.session.key("BackSpace")
        self.expect(counts(1, "1"))
        self.session.key("BackSpace", "BackSpace")
        self.expect(counts(1, "0.5"))

    def test_three_enters_make_three_empty_paragraphs(self):
        self.session.type("x")
        self.expect(counts(1, "0.5"))
        self.session.key("BackSpace")
        self.expect(counts(0, "0"))
        self.session.key("Return", "Return", "Return")
        self.expect(counts(3, "0"))

    def test_delete_clears_the_document(self):
        self.session.type("abc")
        self.expect(counts(1, "1.5"))
        self.session.key("Return")
        self.session.type("de")
        self.expect(counts(2, "2.5"))
        self.session.key("Delete")
        self.expect(wrivo.CLEAR_TITLE)
        # The document is empty and the break counter starts again from 0.
        self.session.type("z")
        self.expect(counts(1, "0.5"))

    def test_clicking_a_row_of_the_count_strip_selects_its_paragraph(self):
        self.session.type("ab")
        self.session.key("Return")
        self.session.type("cde")
        # Enter rewrites the rows from the document before its line break:
        # row 0 counts "ab" (1), row 1 counts "cde" (1.5).
        self.session.key("Return")
        self.expect(counts(2, "2.5"))
        # The strip runs along the bottom of the window in columns 150 pixels
        # wide; a click on the second selects "cde" in the edit box.
        self.main.click(160, STRIP_TOP)
        # Typing replaces the selection: "ab", "z" and the two breaks.
        self.session.type("z")
        self.expect(counts(2, "1.5"))


# The middle of the count strip's row, from the window's top-left corner.
STRIP_TOP = wrivo.MAIN_SIZE[1] - 33


if __name__ == "__main__":
    unittest.main()
