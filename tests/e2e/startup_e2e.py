"""Start-up as a person sees it: the splash plays, then the main window."""

import time
import unittest

import wrivo


class StartUp(unittest.TestCase):
    def test_splash_then_main_window_with_start_title(self):
        with wrivo.Session() as session:
            splash = session.wait_splash()
            splash_seen = time.monotonic()
            self.assertEqual(splash.title(), "")
            x, y, _, _ = splash.geometry()
            # Centred on the 1280 x 1024 test screen.
            self.assertEqual((x, y), ((1280 - 495) // 2, (1024 - 354) // 2))

            # While the splash plays, the program shows nothing else.
            def main_or_none():
                others = [w for w in session.windows() if w.xid != splash.xid]
                return others or None
            first_other = wrivo.wait_for(main_or_none, wrivo.TIMEOUT, "the main window")
            main_shown = time.monotonic()
            # 28 frames of 50 ms come first: the main window never shows early.
            self.assertGreaterEqual(main_shown - splash_seen, 1.0)

            main = session.wait_main()
            self.assertEqual([w.xid for w in first_other], [main.xid])
            self.assertEqual(main.size(), wrivo.MAIN_SIZE)
            session.wait_gone(splash)
            self.assertEqual([w.xid for w in session.windows()], [main.xid])
            self.assertTrue(session.running())


if __name__ == "__main__":
    unittest.main()
