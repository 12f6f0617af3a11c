#!/usr/bin/env python3
"""Fails on an #include that the layering does not allow.

The build declares the layers and rooms as libraries, each linked only to the
ones it builds on, and writes them to a rules file, one library a line:

    NAME FOLDER [LIBRARY ...]     (the libraries it links to directly)

A source in a library's folder may include headers of that folder and of the
folders of every library it reaches through its links, and nothing else: an
upward or sideways include fails here, before it can fail to link.

    check-includes.py RULES_FILE
"""
import pathlib
import re
import subprocess
import sys

root = pathlib.Path(__file__).resolve().parent.parent
rules = {}
for line in pathlib.Path(sys.argv[1]).read_text().splitlines():
    if line.strip():
        name, folder, *links = line.split()
        rules[name] = (folder, links)


def reached(name, seen=None):
    seen = set() if seen is None else seen
    for link in rules[name][1]:
        if link in rules and link not in seen:
            seen.add(link)
            reached(link, seen)
    return seen


allowed = {folder: {folder} | {rules[r][0] for r in reached(name)} for name, (folder, _) in rules.items()}
include = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
sources = subprocess.run(['git', 'ls-files', '*.cpp', '*.h'], cwd=root, capture_output=True, text=True,
                         check=True).stdout.split()
faults = 0
for source in sources:
    folder = str(pathlib.PurePosixPath(source).parent)
    if folder not in allowed:
        continue  # tests, benchmarks and tools may include anything
    for header in include.findall((root / source).read_text(encoding='utf-8', errors='replace')):
        target = str(pathlib.PurePosixPath(header).parent)
        if target not in allowed[folder]:
            print(f'{source}: includes "{header}", but {folder} may include only from: '
                  f'{", ".join(sorted(allowed[folder]))}')
            faults += 1
if faults:
    print(f'check-includes: {faults} include(s) the layering does not allow')
sys.exit(1 if faults else 0)
