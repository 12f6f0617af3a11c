"""The 查找替换 menu used from the keyboard: the find dialog (wrapping, a term
found nowhere), replace-all and its one-step undo, going to a paragraph, and
undo and redo of typing."""

import os
import unittest

import wrivo

NOTICE = "查找替换"   # the title of the not-found and replaced notices
GO_TO = "转到段落"
# Where the term field of Wine's find and replace dialogs is, from their
# top-left corner.
TERM_FIELD = (232, 42)


def back_into(dialog):
    """After a notice, the keyboard back in the dialog's term field: a real
    desktop gives the focus back to the dialog, a bare X display does not."""
    dialog.click(*TERM_FIELD)
    wrivo.wait_for(lambda: wrivo._run("xdotool", "getwindowfocus").strip() == dialog.xid,
                   wrivo.TIMEOUT, "the keyboard focus on the dialog")


class Editing(unittest.TestCase):
    def setUp(self):
        self.session = wrivo.Session()
        self.addCleanup(self.session.close)

    def expect(self, text):
        """The caption for the document `text` (GBK bytes) as typed into: no
        Enter was pressed, so every line break counts."""
        self.session.wait_title(self.main, wrivo.file_statistics_title(text))

    def dialog(self):
        return wrivo.wait_for(lambda: self.session.other_window(self.main), wrivo.TIMEOUT,
                              "a dialog beside the main window")

    def notice(self, title):
        """Answers the notice titled `title` (shown over a dialog)."""
        self.session.answer(title, "Return")

    def test_find_replace_go_to_undo_and_redo(self):
        start = "cat one\r\ncat two\r\n猫cat三".encode("gbk")
        path = os.path.join(self.session.folder, "story.txt")
        with open(path, "wb") as f:
            f.write(start)
        self.session.start(wrivo.windows_path(path))
        session = self.session
        # Opened once the main window is up: its caption soon counts the file.
        self.main = session.window_titled(wrivo.file_statistics_title(start), wrivo.FIRST_WINDOW_TIMEOUT)
        wrivo.wait_for(lambda: all(w.size() != wrivo.SPLASH_SIZE for w in session.windows()),
                       wrivo.TIMEOUT, "the splash window to go away")
        session.click_editor(self.main)  # the caret at the end of the short text

        # F3 before any search opens the find dialog. A term found nowhere
        # says so; "cat" from the end wraps to the first match, then the next.
        session.key("F3")
        find = self.dialog()
        session.type("zzz")
        session.key("Return")
        self.notice(NOTICE)
        back_into(find)
        session.key("End", "BackSpace", "BackSpace", "BackSpace")
        session.type("cat")
        session.key("Return", "Return", "Escape")
        session.wait_gone(find)
        session.type("X")  # over the second "cat", the one the search stopped at
        typed = "cat one\r\nX two\r\n猫cat三".encode("gbk")
        self.expect(typed)

        # Replace all, one notice with the count, one step of undo.
        session.key("ctrl+h")
        replace = self.dialog()
        session.key("Tab")
        session.type("kitty")
        session.key("alt+a")
        self.notice(NOTICE)
        self.expect("kitty one\r\nX two\r\n猫kitty三".encode("gbk"))
        back_into(replace)
        session.key("Escape")
        session.wait_gone(replace)
        session.key("alt+BackSpace")
        self.expect(typed)

        # Paragraph 2 of 3: its start, where typing goes in.
        session.key("ctrl+g")
        go_to = session.window_titled(GO_TO)
        session.type("2")
        session.key("Return")
        session.wait_gone(go_to)
        session.type("Yab")
        final = "cat one\r\nYabX two\r\n猫cat三".encode("gbk")
        self.expect(final)

        # Undo twice (the typing, then the X over "cat"), redo twice.
        for keys, text in (("alt+BackSpace", typed), ("alt+BackSpace", start),
                           ("alt+shift+BackSpace", typed), ("alt+shift+BackSpace", final)):
            session.key(keys)
            self.expect(text)

        saved = os.path.join(session.folder, "saved.txt")
        session.save_as(self.main, saved)
        with open(saved, "rb") as f:
            self.assertEqual(f.read(), final)


if __name__ == "__main__":
    unittest.main()
