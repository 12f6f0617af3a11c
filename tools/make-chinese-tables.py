#!/usr/bin/env python3
"""Writes the C++ source of the Simplified/Traditional conversion tables.

    make-chinese-tables.py OUTPUT.cpp [DICTIONARY_FOLDER]

The dictionaries are OpenCC's (Apache-2.0), as Debian's libopencc1.1 ships
them (/usr/share/opencc/*.ocd2); `opencc_dict` turns each into text lines
"key<TAB>candidate candidate ...". A table merges one or more of them, an
earlier dictionary winning a key both hold, as OpenCC's dictionary groups do,
and keeps each key's first candidate.

Only GBK text is converted, so a key GBK cannot hold never matches and is left
out. A candidate character GBK cannot hold is replaced by the key's character
at the same place (keys and candidates have as many characters: checked), and
the entry counts it, so the program can say how many stayed unconverted.

Each table becomes a `ConversionTable` (services/writing/chinese_tables.h):
entries sorted by key bytes, each in the pool as
  [key length][characters kept for GBK][key bytes][value bytes]
with a bitmap of the characters that start a key and, for a large table, the
first entry of every starting character.
"""
import os
import subprocess
import sys
import tempfile

# name, dictionaries (earlier wins), whether it gets a first-character index
TABLES = [
    ("simplifiedToTraditional", ["STPhrases", "STCharacters"], True),
    ("traditionalToSimplified", ["TSPhrases", "TSCharacters"], False),
    ("taiwanForms", ["TWVariants"], False),
    ("taiwanFormsBack", ["TWVariantsRevPhrases", "TWVariantsRev"], False),
    ("hongKongForms", ["HKVariants"], False),
    ("hongKongFormsBack", ["HKVariantsRevPhrases", "HKVariantsRev"], False),
]

CHARACTER_SLOTS = 126 * 256 + 256


def gbk(text):
    try:
        return text.encode("gbk")
    except UnicodeEncodeError:
        return None


def character_slot(data, at):
    """The slot of the character at `at`, by the code page's rule."""
    b = data[at]
    if 0x81 <= b <= 0xFE and at + 1 < len(data):
        return (b - 0x81) * 256 + data[at + 1]
    return 126 * 256 + b


def read_dictionary(folder, name, scratch):
    text_path = os.path.join(scratch, name + ".txt")
    subprocess.run(["opencc_dict", "-i", os.path.join(folder, name + ".ocd2"), "-o", text_path,
                    "-f", "ocd2", "-t", "text"], check=True, stdout=subprocess.DEVNULL)
    entries = {}
    with open(text_path, encoding="utf-8") as f:
        for line in f:
            key, _, candidates = line.rstrip("\n").partition("\t")
            if key and candidates:
                entries[key] = candidates.split(" ")[0]
    return entries


def build_entries(dictionaries):
    merged = {}
    for entries in dictionaries:
        for key, value in entries.items():
            merged.setdefault(key, value)
    result = []
    for key, value in merged.items():
        key_bytes = gbk(key)
        if key_bytes is None:
            continue
        if len(key) != len(value):
            sys.exit("make-chinese-tables: %r and %r differ in length" % (key, value))
        kept = 0
        value_bytes = b""
        for source, target in zip(key, value):
            encoded = gbk(target)
            if encoded is None:
                encoded = gbk(source)
                kept += 1
            value_bytes += encoded
        if len(key_bytes) > 255:
            sys.exit("make-chinese-tables: key %r too long" % key)
        result.append((key_bytes, value_bytes, kept))
    result.sort()
    return result


def byte_lines(data, indent="    "):
    lines = []
    for start in range(0, len(data), 40):
        lines.append(indent + '"' + "".join("\\x%02x" % b for b in data[start:start + 40]) + '"')
    return "\n".join(lines) or indent + '""'


def emit_table(name, entries, indexed):
    pool = bytearray()
    offsets = []
    starts = bytearray(CHARACTER_SLOTS // 8 + 1)
    first_of = [None] * (CHARACTER_SLOTS + 1)
    for number, (key, value, kept) in enumerate(entries):
        offsets.append(len(pool))
        pool += bytes([len(key), kept]) + key + value
        slot = character_slot(key, 0)
        starts[slot // 8] |= 1 << (slot % 8)
        if first_of[slot] is None:
            first_of[slot] = number
    offsets.append(len(pool))
    lines = ["const char %sPool[] =\n%s;" % (name, byte_lines(pool)),
             "const std::uint32_t %sEntries[] = {%s};" % (name, ",".join(map(str, offsets))),
             "const char %sStarts[] =\n%s;" % (name, byte_lines(starts))]
    buckets = "nullptr"
    if indexed:
        # Each slot's first entry, or the next slot's for a slot without keys,
        # so that a slot's entries run from its value to the next slot's.
        following = len(entries)
        for slot in range(CHARACTER_SLOTS, -1, -1):
            if first_of[slot] is None:
                first_of[slot] = following
            following = first_of[slot]
        lines.append("const std::uint32_t %sBuckets[] = {%s};" % (name, ",".join(map(str, first_of))))
        buckets = name + "Buckets"
    lines.append("} // namespace\nextern const ConversionTable %s = {\n    reinterpret_cast<const unsigned char*>"
                 "(%sPool), %sEntries, %d,\n    reinterpret_cast<const unsigned char*>(%sStarts), %s};\nnamespace {"
                 % (name, name, name, len(entries), name, buckets))
    return "\n".join(lines)


def main():
    output = sys.argv[1]
    folder = sys.argv[2] if len(sys.argv) > 2 else "/usr/share/opencc"
    parts = ["// Generated by tools/make-chinese-tables.py from OpenCC's dictionaries; do not edit.",
             '#include "services/writing/chinese_tables.h"', "", "namespace wrivo {", "namespace {"]
    with tempfile.TemporaryDirectory() as scratch:
        read = {}
        for name, dictionaries, indexed in TABLES:
            for d in dictionaries:
                if d not in read:
                    read[d] = read_dictionary(folder, d, scratch)
            parts.append(emit_table(name, build_entries(read[d] for d in dictionaries), indexed))
    parts += ["} // namespace", "} // namespace wrivo", ""]
    with open(output + ".tmp", "w") as f:
        f.write("\n".join(parts))
    os.replace(output + ".tmp", output)


if __name__ == "__main__":
    main()
