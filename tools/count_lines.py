#!/usr/bin/env python3
"""Count lines of code in tests/ against src/ + tools/.

Usage: tools/count_lines.py [--root DIR]
"""
import argparse
import os
import re

C_LIKE = (".cpp", ".h", ".hpp")
HASH_COMMENTED = (".py", ".sh", ".cmake")
EXPLANATION = ("Counted: non-blank lines that hold more than a comment (// and /* */ in C++, "
               "# in Python, shell and CMake; #include and other preprocessor lines are code) "
               "in *.cpp, *.h, *.hpp, *.py, *.sh, *.cmake and CMakeLists.txt; build folders, "
               "fuzz corpora and data files are left out.")
STRING = re.compile(r'"(?:\\.|[^"\\])*"')


def counted(name):
    return name.endswith(C_LIKE + HASH_COMMENTED) or name == "CMakeLists.txt"


def code_lines(path):
    """Returns the number of non-blank lines that are not only a comment."""
    with open(path, encoding="utf-8", errors="replace") as f:
        lines = [line.strip() for line in f]
    if not path.endswith(C_LIKE):
        return sum(1 for line in lines if line and not line.startswith("#"))
    count, in_block = 0, False
    for line in lines:
        if in_block:
            if "*/" not in line:
                continue
            in_block, line = False, line.split("*/", 1)[1].strip()
        while line.startswith("/*"):
            if "*/" not in line:
                in_block, line = True, ""
            else:
                line = line.split("*/", 1)[1].strip()
        if not line or line.startswith("//"):
            continue
        count += 1
        bare = STRING.sub('""', line)
        in_block = bare.rfind("/*") > bare.rfind("*/") and "//" not in bare[:bare.rfind("/*")]
    return count


def count(root, folder):
    total = 0
    for here, dirs, files in os.walk(os.path.join(root, folder)):
        dirs[:] = [d for d in dirs if not (d.startswith(("build", ".")) or d == "corpus")]
        total += sum(code_lines(os.path.join(here, f)) for f in files if counted(f))
    return total


def main():
    parser = argparse.ArgumentParser(description="Count lines of code in tests/ against "
                                     "src/ + tools/. " + EXPLANATION)
    parser.add_argument("--root", default=os.path.dirname(os.path.dirname(
        os.path.abspath(__file__))), help="repository root (the one holding this script)")
    root = parser.parse_args().root
    tests, src, tools = (count(root, d) for d in ("tests", "src", "tools"))
    print(f"tests: {tests}  src: {src}  tools: {tools}")
    print(f"tests / (src + tools): {100 * tests / max(1, src + tools):.1f} %")
    print(EXPLANATION)


if __name__ == "__main__":
    main()
