#!/usr/bin/env python3
"""Marks the UTF-8 file names of a zip as UTF-8.

Info-ZIP's zip 3.0 stores a name as the bytes it finds on disk (UTF-8 here)
but does not set the language-encoding flag (general purpose bit 11, zip
APPNOTE 6.3, appendix D), so Windows' zip folders would read 使用说明.txt in
the OEM code page and show garbage. This sets the flag, in the central
directory and in each local header, for every name that is not plain ASCII.

    zip-utf8-names.py ARCHIVE.zip
"""

import struct
import sys

UTF8_FLAG = 0x0800
CENTRAL = b"PK\x01\x02"
LOCAL = b"PK\x03\x04"
END = b"PK\x05\x06"


def mark(data):
    end = data.rfind(END)
    if end < 0:
        raise SystemExit("zip-utf8-names: no end of central directory")
    count, _size, offset = struct.unpack_from("<HII", data, end + 10)
    marked = 0
    for _ in range(count):
        if data[offset:offset + 4] != CENTRAL:
            raise SystemExit("zip-utf8-names: damaged central directory")
        flags, = struct.unpack_from("<H", data, offset + 8)
        name_len, extra_len, comment_len = struct.unpack_from("<HHH", data, offset + 28)
        local, = struct.unpack_from("<I", data, offset + 42)
        name = bytes(data[offset + 46:offset + 46 + name_len])
        if not name.isascii():
            name.decode("utf-8")   # refuses a name that is not UTF-8
            if data[local:local + 4] != LOCAL:
                raise SystemExit("zip-utf8-names: damaged local header")
            struct.pack_into("<H", data, offset + 8, flags | UTF8_FLAG)
            local_flags, = struct.unpack_from("<H", data, local + 6)
            struct.pack_into("<H", data, local + 6, local_flags | UTF8_FLAG)
            marked += 1
        offset += 46 + name_len + extra_len + comment_len
    return marked


def main(path):
    with open(path, "rb") as f:
        data = bytearray(f.read())
    mark(data)
    with open(path, "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main(sys.argv[1])
