"""The shipped program and the portable zip, as a person unpacks and runs it."""

import os
import shutil
import subprocess
import tempfile
import unittest
import zipfile
import zlib

import wrivo

DIST = os.environ.get("WRIVO_DIST", "")
RELEASE = os.path.join(os.path.dirname(DIST), "release")
ZIP = os.path.join(DIST, "Wrivo-3.7-win32.zip")
SOURCE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
GUIDE = "使用说明.txt"
SETTINGS = "qelvorinthab.ini"


def sections(exe):
    """Section name -> size of a PE file, as the mingw binutils read it."""
    out = subprocess.run(["i686-w64-mingw32-objdump", "-h", exe], check=True,
                         capture_output=True, text=True).stdout
    found = {}
    for line in out.splitlines():
        fields = line.split()
        if len(fields) >= 3 and fields[0].isdigit():
            found[fields[1]] = int(fields[2], 16)
    return found


def section_bytes(exe, name):
    with tempfile.TemporaryDirectory() as scratch:
        dump = os.path.join(scratch, "section")
        subprocess.run(["i686-w64-mingw32-objcopy", "--dump-section", name + "=" + dump,
                        exe, os.path.join(scratch, "copy.exe")], check=True)
        with open(dump, "rb") as f:
            return f.read()


class ShippedProgram(unittest.TestCase):
    def test_carries_no_debug_information_but_names_the_file_that_has_it(self):
        exe = os.path.join(RELEASE, "Wrivo.exe")
        shipped = sections(exe)
        self.assertFalse([s for s in shipped if s.startswith(".debug")], shipped)
        self.assertIn(".rsrc", shipped)
        print("shipped Wrivo.exe: %d bytes" % os.path.getsize(exe))

        # .gnu_debuglink: the debug file's name, padding to 4 bytes, its CRC-32.
        link = section_bytes(exe, ".gnu_debuglink")
        name = link[:link.index(b"\0")].decode()
        self.assertEqual(name, "Wrivo.exe.debug")
        debug = os.path.join(RELEASE, name)
        with open(debug, "rb") as f:
            self.assertEqual(int.from_bytes(link[-4:], "little"), zlib.crc32(f.read()),
                             "the debug file is not the one the program names")
        self.assertIn(".debug_line", sections(debug))


class PortableZip(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="wrivo-portable-")
        self.addCleanup(shutil.rmtree, self.folder, True)
        with zipfile.ZipFile(ZIP) as archive:
            # zipfile decodes a name as UTF-8 only when the entry says it is.
            self.names = sorted(archive.namelist())
            archive.extractall(self.folder)

    def read(self, name):
        with open(os.path.join(self.folder, name), "rb") as f:
            return f.read()

    def test_holds_the_shipped_program_the_guide_in_gbk_and_the_licence(self):
        self.assertEqual(self.names, sorted(["Wrivo.exe", GUIDE, "LICENSE.txt", "LICENSE-OpenCC.txt"]))
        with open(os.path.join(RELEASE, "Wrivo.exe"), "rb") as f:
            self.assertEqual(self.read("Wrivo.exe"), f.read())

        guide = self.read(GUIDE)
        self.assertEqual(guide.count(b"\n"), guide.count(b"\r\n"), "every line ends in CR LF")
        with open(os.path.join(SOURCE, "packaging", GUIDE), encoding="utf-8") as f:
            self.assertEqual(guide.decode("gbk"), f.read().replace("\n", "\r\n"))
        for shortcut in ("Ctrl+A", "Ctrl+S", "Ctrl+D", "Ctrl+F", "Ctrl+Q", "Ctrl+W",
                         "Ctrl+E", "Ctrl+R", "Ctrl+T", "Ctrl+P", "Ctrl+O", "Ctrl+Y",
                         "Ctrl+U", "Ctrl+Z", "Ctrl+I", "Esc", "Del"):
            self.assertIn(shortcut.encode(), guide)
        for place in ("qelvorinthab.ini", "%LOCALAPPDATA%\\Wrivo\\", "Recovery\\", "Discarded\\"):
            self.assertIn(place.encode("gbk"), guide)

        licence = self.read("LICENSE.txt")
        self.assertTrue(licence.startswith(b"MIT License\r\n"))
        self.assertIn(b"Copyright (c) 2026 Wrivo's authors\r\n", licence)
        dictionaries = self.read("LICENSE-OpenCC.txt")
        self.assertIn(b"converted into Wrivo's table", dictionaries)
        self.assertIn(b"Apache License", dictionaries)

    def test_unpacked_program_runs_and_keeps_its_settings_beside_itself(self):
        settings = os.path.join(self.folder, SETTINGS)
        with wrivo.Session(program=os.path.join(self.folder, "Wrivo.exe")) as session:
            session.ready_main()
            self.assertFalse(os.path.exists(settings), "reading never makes the file")
            session.key("ctrl+p")   # restore writes the four appearance entries
            wrivo.wait_for(lambda: os.path.exists(settings) and
                           "背景颜色=14692440".encode("gbk") in self.read(SETTINGS),
                           wrivo.TIMEOUT, "the settings file beside the unpacked program")
        text = self.read(SETTINGS).decode("gbk")
        for entry in ("[配置]", "字体名称=宋体", "字体大小=18", "文本颜色=16776960"):
            self.assertIn(entry, text)


if __name__ == "__main__":
    unittest.main()
