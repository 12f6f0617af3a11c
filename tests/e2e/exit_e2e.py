"""Closing the main window goes through the exit dialogue; a confirmed exit
opens the monthly partner page once a month and records the month."""

import os
import unittest

import wrivo

EXIT_QUESTION = "退出确认："
WELCOME_BACK = "欢迎回来："
SAVE_QUESTION = "提示："
MONTHLY_PAGE = "http://tutorial.example.com/wrivo/"
SETTINGS = "qelvorinthab.ini"
# The program's clock stands in March, so the month it records is known.
CLOCK = "2027-03-15 10:00:00"
BROWSER_LOG = os.path.join(os.environ["WINEPREFIX"], "wrivo-browser.log")


def browser_recorded():
    """Whether the prefix sends web pages to the stand-in browser
    (tools/record-browser.sh), which logs them to BROWSER_LOG."""
    try:
        with open(os.path.join(os.environ["WINEPREFIX"], "user.reg"),
                  encoding="utf-8", errors="replace") as f:
            return "record-browser.sh" in f.read()
    except OSError:
        return False


def browser_pids():
    """Linux pids of this prefix's running winebrowser processes and of the
    stand-in browser they start without waiting for it (a page being handed
    on, not yet in the log); other prefixes' (other test runs') are left out."""
    prefix = ("WINEPREFIX=" + os.environ["WINEPREFIX"]).encode()
    pids = []
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                with open("/proc/%s/cmdline" % entry, "rb") as f:
                    command = f.read().lower()
                    if b"winebrowser" not in command and b"record-browser.sh" not in command:
                        continue
                with open("/proc/%s/environ" % entry, "rb") as f:
                    if prefix in f.read().split(b"\0"):
                        pids.append(entry)
            except OSError:
                pass
    return pids


class ExitDialogue(unittest.TestCase):
    def setUp(self):
        # A page an earlier program of this prefix (another test's) asked for
        # may still be on its way to the log: it is let in, then set aside.
        self.wait_for_pages_handed_on()
        self.set_aside_log()
        self.addCleanup(self.set_aside_log)

    @staticmethod
    def wait_for_pages_handed_on():
        """Once no winebrowser nor stand-in browser of this prefix is left,
        every page asked for so far is in the log."""
        wrivo.wait_for(lambda: not browser_pids(), wrivo.TIMEOUT, "the pages asked for to reach the log")

    @staticmethod
    def set_aside_log():
        if os.path.exists(BROWSER_LOG):
            os.replace(BROWSER_LOG, BROWSER_LOG + ".old")

    def logged_pages(self):
        try:
            with open(BROWSER_LOG, encoding="utf-8") as f:
                return f.read().splitlines()
        except FileNotFoundError:
            return []

    def start(self, settings=None):
        """Starts a copy of the program; settings, when given, is put beside it first."""
        session = wrivo.Session({"WRIVO_TEST_CLOCK": CLOCK})
        self.addCleanup(session.close)
        if settings is not None:
            with open(os.path.join(session.folder, SETTINGS), "wb") as f:
                f.write(settings)
        session.start()
        return session, session.ready_main()

    @staticmethod
    def settings_bytes(session):
        with open(os.path.join(session.folder, SETTINGS), "rb") as f:
            return f.read()

    def test_no_keeps_the_program_and_yes_ends_it_recording_the_month(self):
        session, main = self.start()
        # An empty document: no save question, only the exit question.
        session.key("alt+F4")
        session.answer(EXIT_QUESTION, "n")   # 否(N)
        session.answer(WELCOME_BACK, "Return")
        self.assertTrue(session.running())
        self.assertEqual(main.title(), wrivo.START_TITLE)
        settings = os.path.join(session.folder, SETTINGS)
        if os.path.exists(settings):
            self.assertNotIn(b"wikyxqq", self.settings_bytes(session),
                             "a refused exit must not record the month")

        session.click_editor(main)
        session.key("alt+F4")
        session.answer(EXIT_QUESTION, "y")   # 是(Y)
        self.assertEqual(session.exit_code(), 0)
        settings = self.settings_bytes(session)
        text = settings.decode("gbk")
        self.assertIn("[配置]", text)
        entries = [line.replace(" ", "") for line in text.splitlines()]
        self.assertIn("wikyxqq=3", entries)

    def test_a_changed_document_is_offered_for_saving_first(self):
        session, main = self.start()
        session.type("ab")
        session.wait_title(main, wrivo.statistics_title(1, "1"))
        session.key("alt+F4")
        session.answer(SAVE_QUESTION, "n")
        session.answer(EXIT_QUESTION, "n")
        session.answer(WELCOME_BACK, "Return")
        # Nothing changed: the program runs on with the document as it was.
        self.assertTrue(session.running())
        session.click_editor(main)
        session.type("c")
        session.wait_title(main, wrivo.statistics_title(1, "1.5"))

    def exit_confirmed(self, settings=None):
        """Runs the program once and confirms its exit; returns the settings file then."""
        session, _ = self.start(settings)
        session.key("alt+F4")
        session.answer(EXIT_QUESTION, "y")
        self.assertEqual(session.exit_code(), 0)
        return self.settings_bytes(session)

    def test_the_monthly_page_opens_at_the_first_exit_of_the_month_only(self):
        settings = self.exit_confirmed()
        # The prefix is made by the first start of the program when needed,
        # so whether it records pages is known only now.
        if not browser_recorded():
            self.skipTest("the Wine prefix does not record web pages")
        wrivo.wait_for(lambda: self.logged_pages(), wrivo.TIMEOUT, "the monthly page to be opened")
        self.wait_for_pages_handed_on()
        self.assertEqual(self.logged_pages(), [MONTHLY_PAGE])

        # A second run beside the same settings: this month's page was shown already.
        self.assertEqual(self.exit_confirmed(settings), settings)
        # A page opened would have had its winebrowser started before the program ended.
        self.wait_for_pages_handed_on()
        self.assertEqual(self.logged_pages(), [MONTHLY_PAGE])


if __name__ == "__main__":
    unittest.main()
