#!/usr/bin/env python3
"""Writes sample lines converted by the opencc command, for the native tests.

    make-chinese-samples.py OUTPUT.txt

Lines of Debian's fortunes-zh (sayings, Tang and Song poems) that GBK holds
are converted with OpenCC's six configurations; the Traditional sources are
the Simplified lines' own conversions. Each output line, in GBK, is
"configuration<TAB>source<TAB>expected<TAB>characters kept", the expected text
being OpenCC's with each character GBK cannot hold left as in the source.
"""
import os
import re
import subprocess
import sys
import tempfile

FORTUNES = "/usr/share/games/fortunes"
SOURCES = ["chinese.u8", "tang300.u8", "song100.u8"]
LINES_PER_FILE = 1200
# configuration, the configuration whose output is its source (None: the lines)
CONFIGURATIONS = [("s2t", None), ("s2tw", None), ("s2hk", None),
                  ("t2s", "s2t"), ("tw2s", "s2tw"), ("hk2s", "s2hk")]


def encodable(text):
    try:
        text.encode("gbk")
        return True
    except UnicodeEncodeError:
        return False


def sample_lines():
    lines = []
    for name in SOURCES:
        taken = 0
        with open(os.path.join(FORTUNES, name), encoding="utf-8", errors="replace") as f:
            for line in f:
                line = re.sub(r"\x1b\[[0-9;]*m", "", line).strip()
                if taken < LINES_PER_FILE and re.search("[\u4e00-\u9fff]", line) and encodable(line):
                    lines.append(line)
                    taken += 1
    return lines


def opencc(configuration, lines, scratch):
    source, target = os.path.join(scratch, "in.txt"), os.path.join(scratch, "out.txt")
    with open(source, "w", encoding="utf-8") as f:
        f.write("\n".join(lines) + "\n")
    subprocess.run(["opencc", "-c", configuration + ".json", "-i", source, "-o", target], check=True)
    with open(target, encoding="utf-8") as f:
        converted = f.read().split("\n")[:len(lines)]
    if any(len(a) != len(b) for a, b in zip(lines, converted)):
        sys.exit("make-chinese-samples: opencc changed a line's length")
    kept = [sum(1 for c in b if not encodable(c)) for b in converted]
    in_gbk = ["".join(c if encodable(c) else s for s, c in zip(a, b)) for a, b in zip(lines, converted)]
    return in_gbk, kept


def main():
    lines = sample_lines()
    outputs = {}
    rows = []
    with tempfile.TemporaryDirectory() as scratch:
        for configuration, source in CONFIGURATIONS:
            sources = outputs[source] if source else lines
            expected, kept = opencc(configuration, sources, scratch)
            outputs[configuration] = expected
            rows += ["%s\t%s\t%s\t%d" % (configuration, a, b, k) for a, b, k in zip(sources, expected, kept)]
    with open(sys.argv[1], "wb") as f:
        f.write(("\n".join(rows) + "\n").encode("gbk"))


if __name__ == "__main__":
    main()
