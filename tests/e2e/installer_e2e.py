"""The per-user installer, silently installed into the test prefix, used,
installed over, and silently uninstalled, all checked by reading back the
files and the registry."""

import contextlib
import glob
import os
import re
import shutil
import subprocess
import tempfile
import unittest

import wrivo

DIST = os.environ.get("WRIVO_DIST", "")
SETUP = os.path.join(DIST, "Wrivo-3.7-setup.exe")
SHIPPED = os.path.join(os.path.dirname(DIST), "release", "Wrivo.exe")
UNINSTALL_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Wrivo"
APP_KEY = r"HKCU\Software\Classes\Applications\Wrivo.exe"
INSTALLED = ["Wrivo.exe", "使用说明.txt", "LICENSE.txt", "LICENSE-OpenCC.txt", "uninstall.exe"]
SETTINGS = "qelvorinthab.ini"
SLOW = 60.0 * wrivo.SLOWDOWN   # an installer start under Wine on a busy machine


def wine(*args):
    """Runs a program in the test prefix and waits for it and for every
    program it started (the uninstaller hands over to a copy of itself)."""
    result = subprocess.run([os.environ["WRIVO_WINE_RUN"]] + list(args),
                            capture_output=True, timeout=SLOW)
    if result.returncode != 0:
        raise AssertionError("%s failed (%d): %s" % (args, result.returncode,
                                                    result.stderr.decode("utf-8", "replace")))
    settle()


def settle():
    """Waits until no program runs in the prefix and the Wine server has
    ended, which writes the registry back to the prefix's .reg files. (Each
    'reg query' would be one more Wine start, seconds each on a busy machine.)"""
    subprocess.run(["wineserver", "-w"], check=True, timeout=SLOW)


# Where the Wine server keeps each root key, and the escapes of its files.
HIVES = {"HKCU": "user.reg", "HKLM": "system.reg"}
ESCAPE = re.compile(r"\\(x[0-9a-fA-F]{1,4}|.)")
VALUE = re.compile(r'^(@|"((?:[^"\\]|\\.)*)")=(.*)$')


def unescape(text):
    def one(match):
        code = match.group(1)
        if code[0] == "x" and len(code) > 1:
            return chr(int(code[1:], 16))
        return {"n": "\n", "r": "\r", "t": "\t", "0": "\0"}.get(code, code)
    return ESCAPE.sub(one, text)


def registry(root):
    """{lower-case key path: {value name ("" the default): (type, data)}} of
    one root key as the Wine server last wrote it. A key holding only
    subkeys has no entry of its own."""
    keys = {}
    values = None
    with open(os.path.join(os.environ["WINEPREFIX"], HIVES[root]), encoding="latin-1") as f:
        for line in f:
            line = line.rstrip("\n")
            if line.startswith("["):
                values = keys.setdefault(unescape(line[1:line.rindex("]")]).lower(), {})
                continue
            match = VALUE.match(line)
            if values is None or not match:
                continue
            name = "" if match.group(1) == "@" else unescape(match.group(2))
            data = match.group(3)
            if data.startswith('"'):
                values[name] = ("REG_SZ", unescape(data[1:-1]))
            elif data.startswith("dword:"):
                values[name] = ("REG_DWORD", "0x" + data[len("dword:"):])
            else:
                values[name] = ("other", data)
    return keys


def split_key(key):
    root, _, path = key.partition("\\")
    if root == "HKCR":   # the user's classes over the machine's
        return [("HKCU", "Software\\Classes\\" + path), ("HKLM", "Software\\Classes\\" + path)]
    return [(root, path)]


def registry_values(key):
    """{value name: (type, data)} of a key, or None when it has no entry."""
    found = None
    for root, path in reversed(split_key(key)):
        values = registry(root).get(path.lower())
        if values is not None:
            found = dict(found or {}, **values)
    return found


def key_exists(key):
    """The key or anything under it."""
    for root, path in split_key(key):
        path = path.lower()
        if any(k == path or k.startswith(path + "\\") for k in registry(root)):
            return True
    return False


def default_value(key):
    values = registry_values(key) or {}
    return values.get("", (None, None))[1]


def unix_path(windows):
    """A path on the prefix's C: drive as the Linux side sees it."""
    assert windows[:3].upper() == "C:\\", windows
    return os.path.join(os.environ["WINEPREFIX"], "drive_c", *windows[3:].split("\\"))


def start_menu_shortcuts():
    return glob.glob(os.path.join(os.environ["WINEPREFIX"], "drive_c", "users", "*", "AppData",
                                  "Roaming", "Microsoft", "Windows", "Start Menu", "Programs",
                                  "Wrivo.lnk"))


def desktop_shortcuts():
    return glob.glob(os.path.join(os.environ["WINEPREFIX"], "drive_c", "users", "*", "Desktop",
                                  "Wrivo.lnk"))


def uninstall_silently(folder):
    """The uninstall command as Windows' Settings would run it quietly."""
    wine(os.path.join(folder, "uninstall.exe"), "/S")


class Installer(unittest.TestCase):
    @staticmethod
    def remove_installed_copy():
        left = registry_values(UNINSTALL_KEY)
        if left and "InstallLocation" in left:
            folder = unix_path(left["InstallLocation"][1])
            if os.path.exists(os.path.join(folder, "uninstall.exe")):
                uninstall_silently(folder)
            shutil.rmtree(folder, ignore_errors=True)

    def setUp(self):
        # A run that failed half-way may have left an installed copy; this
        # one leaves none either way.
        settle()
        self.remove_installed_copy()
        self.folder = None
        self.addCleanup(self.clean_up)
        self.txt_before = default_value(r"HKCR\.txt")
        self.user_txt_before = registry_values(r"HKCU\Software\Classes\.txt")

    def clean_up(self):
        self.remove_installed_copy()
        if self.folder:   # what the uninstaller keeps, the settings file
            shutil.rmtree(self.folder, ignore_errors=True)

    def install(self):
        wine(SETUP, "/S")

    def test_install_use_reinstall_and_uninstall(self):
        self.install()

        # Uninstall information, read back.
        info = registry_values(UNINSTALL_KEY)
        self.assertIsNotNone(info, "no uninstall key")
        location = info["InstallLocation"][1]
        self.assertTrue(location.lower().endswith(r"\appdata\local\programs\wrivo"), location)
        folder = self.folder = unix_path(location)
        self.assertEqual(info["DisplayName"], ("REG_SZ", "Wrivo 3.7"))
        self.assertEqual(info["DisplayVersion"], ("REG_SZ", "3.7"))
        self.assertEqual(info["Publisher"], ("REG_SZ", "Orvanne"))
        self.assertEqual(info["DisplayIcon"], ("REG_SZ", location + r"\Wrivo.exe,0"))
        self.assertEqual(info["UninstallString"], ("REG_SZ", '"%s\\uninstall.exe"' % location))
        self.assertEqual(info["QuietUninstallString"],
                         ("REG_SZ", '"%s\\uninstall.exe" /S' % location))
        kind, size = info["EstimatedSize"]
        self.assertEqual(kind, "REG_DWORD")
        files_kb = sum(os.path.getsize(os.path.join(folder, n)) for n in INSTALLED) / 1024
        self.assertAlmostEqual(int(size, 16), files_kb, delta=files_kb * 0.1 + 8)

        # The files, the Start-menu shortcut (no desktop one unless asked for).
        self.assertEqual(sorted(os.listdir(folder)), sorted(INSTALLED))
        with open(os.path.join(folder, "Wrivo.exe"), "rb") as a, open(SHIPPED, "rb") as b:
            self.assertEqual(a.read(), b.read())
        self.assertEqual(len(start_menu_shortcuts()), 1)
        self.assertEqual(desktop_shortcuts(), [])

        # "Open with" for .txt, and the default program for .txt untouched.
        self.assertEqual(default_value(APP_KEY + r"\shell\open\command"),
                         '"%s\\Wrivo.exe" "%%1"' % location)
        self.assertIn(".txt", registry_values(APP_KEY + r"\SupportedTypes"))
        self.assertEqual(registry_values(r"HKCU\Software\Classes\.txt"), self.user_txt_before)
        self.assertEqual(default_value(r"HKCR\.txt"), self.txt_before)

        # The installed program opens a file with a Chinese name and a space
        # given on its command line, as Explorer's "Open with" starts it.
        documents = tempfile.mkdtemp(prefix="wrivo-installed-")
        self.addCleanup(shutil.rmtree, documents, True)
        chapter = os.path.join(documents, "第一章 草稿.txt")
        text = "春眠不觉晓，处处闻啼鸟。\r\nSpring sleep\r\n夜来风雨声".encode("gbk")
        with open(chapter, "wb") as f:
            f.write(text)
        settings = os.path.join(folder, SETTINGS)
        program = os.path.join(folder, "Wrivo.exe")
        with self.subTest("the installed program opens a file named on its command line"):
            session = wrivo.Session(program=program).start(wrivo.windows_path(chapter))
            with contextlib.closing(session):
                # The first program of a new Wine session (the installer's
                # ended the last one): the session's own services start first.
                session.window_titled(wrivo.file_statistics_title(text), 2 * SLOW)
                # The settings file goes beside the installed program: it is writable.
                session.key("ctrl+p")
                wrivo.wait_for(lambda: os.path.exists(settings), wrivo.TIMEOUT,
                               "the settings file beside the installed program")
            with open(chapter, "rb") as f:
                self.assertEqual(f.read(), text, "opening changed the document")
        if not os.path.exists(settings):
            # (Reported above; the rest still needs a settings file to keep.)
            with open(settings, "wb") as f:
                f.write("[配置]\r\n字体大小=18\r\n".encode("gbk"))
        with open(settings, "rb") as f:
            kept = f.read()

        # Installing over the copy keeps the settings file as it was.
        self.install()
        with open(settings, "rb") as f:
            self.assertEqual(f.read(), kept)
        self.assertEqual(sorted(os.listdir(folder)), sorted(INSTALLED + [SETTINGS]))

        # The silent uninstall removes everything it installed, keeps the
        # settings file (and so its folder) and never touches the document.
        uninstall_silently(folder)
        self.assertEqual(os.listdir(folder), [SETTINGS])
        with open(settings, "rb") as f:
            self.assertEqual(f.read(), kept)
        self.assertEqual(start_menu_shortcuts(), [])
        self.assertFalse(key_exists(UNINSTALL_KEY))
        self.assertFalse(key_exists(APP_KEY))
        self.assertEqual(default_value(r"HKCR\.txt"), self.txt_before)
        with open(chapter, "rb") as f:
            self.assertEqual(f.read(), text)


if __name__ == "__main__":
    unittest.main()
