#!/usr/bin/env python3
"""Fails on any include that points up a floor.

The product's folders stand on floors; a file may include headers of its own
folder and of the floors below it, never of its own floor's other folders or
of a floor above. Side folders list what they may include. This is the one
place the floors are written down.

usage: check-layers.py [SOURCE_DIR]
"""
import pathlib
import re
import sys

FLOORS = [
    ["platform"],
    ["util"],
    ["protocol"],
    ["webconfig"],
    ["core", "shortcuts", "netcheck"],
    ["guide"],
    ["steps"],
    ["app"],
    ["app/headless"],
    ["widgets", "app/batch"],
    ["widgets/shots", "app/main"],
]
# Programs beside the wizard, and what each may stand on.
SIDE = {
    "launcher": ["platform"],
    "sim": ["platform", "util", "protocol"],
}

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
FOLDERS = sorted([f for floor in FLOORS for f in floor] + list(SIDE), key=len, reverse=True)


def folder_of(path):
    for folder in FOLDERS:
        if path == folder or path.startswith(folder + "/"):
            return folder
    return None


def allowed(src):
    for level, floor in enumerate(FLOORS):
        if src in floor:
            return {f for below in FLOORS[:level] for f in below} | {src}
    return set(SIDE[src]) | {src}


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".")
    faults = []
    for file in sorted(root.rglob("*")):
        if file.suffix not in (".h", ".cpp"):
            continue
        rel = file.relative_to(root).as_posix()
        src = folder_of(rel)
        if src is None:
            continue
        may = allowed(src)
        for number, line in enumerate(file.read_text(errors="replace").splitlines(), 1):
            match = INCLUDE.match(line)
            if not match or "/" not in match.group(1):
                continue
            dst = folder_of(match.group(1))
            if dst is not None and dst not in may:
                faults.append(f"{rel}:{number}: {src}/ includes {match.group(1)} from {dst}/")
    for fault in faults:
        print(fault)
    if faults:
        print(f"check-layers: {len(faults)} include(s) point up or across a floor", file=sys.stderr)
        return 1
    print("check-layers: every include points down")
    return 0


if __name__ == "__main__":
    sys.exit(main())
