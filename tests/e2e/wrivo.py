"""Drives the real Wrivo.exe under Wine the way a person would.

Each session copies the program into a fresh folder of its own (the settings
file is written beside the program), starts it through tools/wine-run.sh on
the current X display, and works it with xdotool keys and clicks. Window
captions are read on the X side: Wine publishes every top-level window's
caption as UTF-8 in _NET_WM_NAME, and its opacity in _NET_WM_WINDOW_OPACITY.

Everything waits for a condition with a timeout; nothing sleeps and hopes.

The paths come from the environment (set by CTest):
  WRIVO_EXE       the built Wrivo.exe
  WRIVO_WINE_RUN  tools/wine-run.sh
  WINEPREFIX      the build's Wine prefix
"""

import os
import shutil
import subprocess
import tempfile
import time

START_TITLE = "Wrivo  3.7    --  Orvanne出品 www.example.com  "
CLEAR_TITLE = "Wrivo  3.7              ⊙△⊙ 亲    已为您清空了统计数据!!!"
MAIN_SIZE = (556, 613)
SPLASH_SIZE = (495, 354)



def _emulated():
    """Whether i386 programs run through qemu's user-mode emulator here (a
    kernel without 32-bit support): everything Wine does is then a few times
    slower, so the deadlines below stretch. They guard against hangs; no test
    asserts a time."""
    try:
        with open("/proc/sys/fs/binfmt_misc/qemu-i386") as f:
            return f.readline().strip() == "enabled"
    except OSError:
        return False


SLOWDOWN = 4.0 if _emulated() else 1.0
# The first Wine start of a run also starts the Wine server and may take a
# while on a busy machine; later ones are quick.
FIRST_WINDOW_TIMEOUT = 60.0 * SLOWDOWN
TIMEOUT = 15.0 * SLOWDOWN
SAVE_AS = "另存为"   # Wine's Chinese title of the save dialog
SAVED = "恭喜："


def statistics_title(paragraphs, characters):
    """The caption the editor shows for a document of N paragraphs and M characters."""
    return ("Orvanne提醒您:    当前文档共计:  %s  个段落,总字数为:  %s  字。"
            % (paragraphs, characters))


def file_statistics_title(data, line_breaks=0):
    """The caption after opening a file of these GBK bytes: its paragraphs
    (pieces between CR LF, none after a final CR LF) and half its bytes
    without spaces (half- and full-width), less the counted line breaks."""
    pieces = data.split(b"\r\n")
    if pieces[-1] == b"":
        pieces.pop()
    text = data.decode("gbk").replace(" ", "").replace("\u3000", "")
    characters = len(text.encode("gbk")) / 2.0 - line_breaks
    return statistics_title(len(pieces), "%.13g" % characters)


def _run(*args):
    result = subprocess.run(args, capture_output=True)
    return result.stdout.decode("utf-8", "replace")


def wait_for(condition, timeout, what):
    """Polls condition() until it returns something true; returns that value."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError("timed out after %.0f s waiting for %s" % (timeout, what))
        time.sleep(0.02)


class Window:
    """One X window of the program: its id, caption, size and position."""

    def __init__(self, xid):
        self.xid = str(xid)

    def title(self):
        return _run("xdotool", "getwindowname", self.xid).rstrip("\n")

    def geometry(self):
        """(x, y, width, height) on the screen, or None once the window is gone."""
        values = {}
        for line in _run("xdotool", "getwindowgeometry", "--shell", self.xid).splitlines():
            key, _, value = line.partition("=")
            values[key] = value
        try:
            return (int(values["X"]), int(values["Y"]),
                    int(values["WIDTH"]), int(values["HEIGHT"]))
        except (KeyError, ValueError):
            return None

    def size(self):
        geometry = self.geometry()
        return geometry[2:] if geometry else None

    def opacity(self):
        """Alpha 0..255 set through a layered window; 255 when none is set."""
        out = _run("xprop", "-id", self.xid, "_NET_WM_WINDOW_OPACITY")
        if "=" not in out:
            return 255
        return int(out.split("=")[1].strip()) >> 24

    def click(self, dx, dy):
        """Left click at (dx, dy) from the window's top-left corner. The
        pointer is moved there first, waiting until it is there, unless it is
        there already: xdotool's --sync then waits 15 s for a motion that
        never comes."""
        x, y, _, _ = self.geometry()
        if pointer_position() != (x + dx, y + dy):
            subprocess.run(["xdotool", "mousemove", "--sync", str(x + dx), str(y + dy)], check=True)
        subprocess.run(["xdotool", "click", "1"], check=True)

    def __repr__(self):
        return "Window(%s, %r)" % (self.xid, self.title())


class Session:
    """One run of Wrivo.exe from a folder of its own."""

    def __init__(self, environment=None, program=None):
        """environment: extra variables for the program (WRIVO_TEST_CLOCK,
        WRIVO_LOCALE). program: a Wrivo.exe to run where it is (an unpacked
        or installed copy; its folder is left as it is) instead of a fresh
        copy of the built one."""
        self.exe_source = program or os.environ["WRIVO_EXE"]
        self.wine_run = os.environ["WRIVO_WINE_RUN"]
        if not os.environ.get("WINEPREFIX"):
            raise RuntimeError("WINEPREFIX must name the build's Wine prefix")
        if not os.environ.get("DISPLAY"):
            raise RuntimeError("DISPLAY must name the test display")
        # Extra environment for the program, e.g. WRIVO_TEST_CLOCK. Recovery
        # copies and the shelf go to a folder of the session's own unless the
        # test names one (WRIVO_TEST_LOCALAPPDATA), never the prefix user's.
        self.own_folder = program is None
        self.scratch = tempfile.mkdtemp(prefix="wrivo-e2e-")
        if self.own_folder:
            self.folder = self.scratch
            self.exe = os.path.join(self.folder, "Wrivo.exe")
            shutil.copyfile(self.exe_source, self.exe)
        else:
            self.exe = os.path.abspath(program)
            self.folder = os.path.dirname(self.exe)
        local_data = os.path.join(self.scratch, "LocalAppData")
        os.mkdir(local_data)
        self.environment = dict(os.environ, WRIVO_TEST_LOCALAPPDATA=windows_path(local_data))
        self.environment.update(environment or {})
        self.process = None
        self.started_at = None

    # ---- life cycle

    def start(self, *arguments, cwd=None):
        """Starts the program in `cwd` (its own folder when not given); each
        of `arguments` reaches it as one command-line argument however many
        spaces it holds (Wine quotes it on the Windows side)."""
        self.started_at = time.monotonic()
        # wine-run.sh ends by exec-ing wine, which becomes the program's own
        # process: this pid is Wrivo's, and its windows carry it as _NET_WM_PID.
        self.process = subprocess.Popen(
            [self.wine_run, self.exe, *arguments], cwd=cwd or self.folder, env=self.environment,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return self

    def exit_code(self, timeout=TIMEOUT):
        """Waits for the program to end and returns its exit code (mod 256)."""
        return self.process.wait(timeout)

    def running(self):
        return self.process.poll() is None

    def program_pids(self):
        """Linux pids of the processes running this session's copy of the
        program: normally just the one started, but Wine may start the
        program in a process of its own (the first start after a new prefix)."""
        pids = []
        for entry in os.listdir("/proc"):
            if not entry.isdigit():
                continue
            try:
                with open("/proc/%s/cmdline" % entry, "rb") as f:
                    first = f.read().split(b"\0")[0].decode("utf-8", "replace")
            except OSError:
                continue
            # Unix ("/tmp/x/Wrivo.exe") or Windows ("Z:\\tmp\\x\\Wrivo.exe") form.
            first = first.replace("\\", "/").lower()
            if self.folder.lower() in first and first.endswith("/wrivo.exe"):
                pids.append(int(entry))
        return pids

    def close(self):
        """Ends the program (this session's copy only) and removes its folder
        when the session made it."""
        if self.process and self.process.poll() is None:
            self.process.kill()
            self.process.wait(TIMEOUT)
        for pid in self.program_pids():
            try:
                os.kill(pid, 9)
            except OSError:
                pass
        shutil.rmtree(self.scratch, ignore_errors=True)

    def __enter__(self):
        return self.start()

    def __exit__(self, *exc):
        self.close()

    # ---- windows

    def windows(self):
        """The program's visible top-level windows."""
        pids = {self.process.pid, *self.program_pids()}
        found = []
        for pid in sorted(pids):
            out = _run("xdotool", "search", "--onlyvisible", "--pid", str(pid))
            found += [Window(xid) for xid in out.split()]
        return found

    def window_titled(self, title, timeout=TIMEOUT):
        def find():
            for window in self.windows():
                if window.title() == title:
                    return window
            return None
        return wait_for(find, timeout, "a window titled %r" % title)

    def wait_splash(self, timeout=FIRST_WINDOW_TIMEOUT):
        def find():
            for window in self.windows():
                if window.size() == SPLASH_SIZE and window.title() == "":
                    return window
            return None
        return wait_for(find, timeout, "the splash window")

    def wait_main(self, timeout=FIRST_WINDOW_TIMEOUT):
        """The main window, once it carries the start title."""
        return self.window_titled(START_TITLE, timeout)

    def wait_title(self, window, title, timeout=TIMEOUT):
        wait_for(lambda: window.title() == title, timeout,
                 "caption %r (it is %r)" % (title, window.title()))

    def wait_gone(self, window, timeout=TIMEOUT):
        wait_for(lambda: all(w.xid != window.xid for w in self.windows()), timeout,
                 "window %s to go away" % window.xid)

    def answer(self, title, key, timeout=TIMEOUT):
        """Waits for the box titled `title`, presses `key` and waits until it is gone."""
        box = self.window_titled(title, timeout)
        self.key(key)
        self.wait_gone(box)

    def ready_main(self):
        """Starts-up fully: the main window titled and the splash gone."""
        main = self.wait_main()
        wait_for(lambda: all(w.size() != SPLASH_SIZE for w in self.windows()),
                 TIMEOUT, "the splash window to go away")
        return main

    def other_window(self, main):
        """The first visible window of the program that is not the main window."""
        found = [w for w in self.windows() if w.xid != main.xid]
        return found[0] if found else None

    def save_as(self, main, path):
        """Ctrl+S with a document that has no file yet: the path typed into the
        real save dialog, then the success notice confirmed."""
        self.key("ctrl+s")
        dialog = wait_for(lambda: self.other_window(main), TIMEOUT, "the save dialog")
        self.wait_title(dialog, SAVE_AS)
        # The file name field has the focus; Wine's Z: drive is the Unix root.
        self.type("Z:" + path.replace("/", "\\"))
        self.key("Return")
        self.wait_gone(dialog)
        self.answer(SAVED, "Return")

    # ---- input

    @staticmethod
    def click_editor(main):
        """Clicks into the edit box, below the text of a short document, and
        waits until the X keyboard focus is on the main window. Needed after a
        message box closes: with no window manager on the test display nothing
        gives the X keyboard focus back to the main window. The click lands
        away from where the pointer rests (the last click), so that two clicks
        in quick succession are never taken for a double click, which would
        select a word."""
        x, y, _, _ = main.geometry()
        main.click(230 if pointer_position() == (x + 200, y + 300) else 200, 300)
        wait_for(lambda: _run("xdotool", "getwindowfocus").strip() == main.xid, TIMEOUT,
                 "the keyboard focus on the main window")

    @staticmethod
    def key(*keys):
        subprocess.run(["xdotool", "key", "--delay", "40"] + list(keys), check=True)

    @staticmethod
    def type(text):
        """Types ASCII text (Chinese cannot be typed into Wine this way)."""
        assert text.isascii(), "only ASCII can be typed"
        subprocess.run(["xdotool", "type", "--delay", "60", text], check=True)


def pointer_position():
    """(x, y) of the mouse pointer on the screen."""
    values = dict(line.partition("=")[::2] for line in _run("xdotool", "getmouselocation", "--shell").splitlines())
    return int(values.get("X", -1)), int(values.get("Y", -1))


def windows_path(path):
    """The Windows name of a Unix path: Wine's Z: drive is the Unix root."""
    return "Z:" + path.replace("/", "\\")
