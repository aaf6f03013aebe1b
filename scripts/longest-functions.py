#!/usr/bin/env python3
"""Lists the longest functions in the C++ sources, in lines from the signature to the closing
brace. A definition starts on a line at column 0 that holds '(' and is not a preprocessor
line, a comment or a brace; it is one when a line ending in '{' follows before any ';'. Its
body ends at the next lone '}' at column 0 (the clang-format layout of this tree).

    scripts/longest-functions.py [SRC_DIR] [COUNT]
"""
import pathlib
import sys

src = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "src")
count = int(sys.argv[2]) if len(sys.argv) > 2 else 10
found = []
for path in sorted(src.rglob("*.cpp")):
    lines = path.read_text(errors="replace").splitlines()
    i = 0
    while i < len(lines):
        line = lines[i]
        if not line or line[0].isspace() or line.startswith(("#", "//", "}", "{")) or "(" not in line:
            i += 1
            continue
        j = i
        while j < len(lines) and j < i + 6 and not lines[j].rstrip().endswith(("{", ";")):
            j += 1
        if j >= len(lines) or not lines[j].rstrip().endswith("{"):
            i = j + 1
            continue
        end = j + 1
        while end < len(lines) and lines[end] != "}":
            end += 1
        name = line.split("(")[0].split()[-1].lstrip("*&")
        found.append((end - i + 1, name, f"{path}:{i + 1}"))
        i = end + 1
for length, name, where in sorted(found, reverse=True)[:count]:
    print(f"{length:5d}  {name}  {where}")
