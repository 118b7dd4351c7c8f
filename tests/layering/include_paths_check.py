#!/usr/bin/env python3
"""Every quoted #include in src/ names a header from the top of the layer
trees ("engines/curves.h"), so the layer's include tree decides whether it
may be seen. A path with "..", or one found beside the including file, would
slip past that. Usage: include_paths_check.py SRC_DIR"""
import os
import re
import sys

LAYERS = ("state/", "models/", "engines/", "io/", "ui/logic/", "ui/qt/", "app/")
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.M)

src = sys.argv[1]
faults = []
for folder, _, files in os.walk(src):
    for name in files:
        if not name.endswith((".h", ".cpp")):
            continue
        path = os.path.join(folder, name)
        with open(path, encoding="utf-8") as f:
            for header in INCLUDE.findall(f.read()):
                if ".." in header.split("/") or not header.startswith(LAYERS):
                    faults.append(f"{os.path.relpath(path, src)}: #include \"{header}\"")
for fault in faults:
    print(fault)
print(f"{len(faults)} failed, every quoted include of {src} checked")
sys.exit(1 if faults else 0)
