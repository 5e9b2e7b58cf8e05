#!/usr/bin/env python3
"""Fails on any include that points up a floor.

The product's folders stand on floors; a file may include headers of its own
folder and of the floors below it, never of its own floor's other folders or
of a floor above. Side folders list what they may include. This is the one
place the floors are written down.

Every include is resolved the way the compiler finds it, whatever its form:
quoted or in angle brackets, relative ("../widgets/X.h", "headless/X.h") or
through the source root ("platform/../widgets/X.h"). An include whose name
hides behind a macro cannot be checked and is refused.

usage: check-layers.py [SOURCE_DIR]
"""
import pathlib
import posixpath
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

SOURCES = {".h", ".hh", ".hpp", ".hxx", ".inl", ".ipp", ".c", ".cc", ".cpp", ".cxx"}
DIRECTIVE = re.compile(r"^\s*#\s*include(?:_next)?\b\s*(.*)$")
NAMED = re.compile(r'^(?:"([^"]+)"|<([^>]+)>)')
COMMENT = re.compile(r"/\*.*?\*/", re.S)
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


def logical_lines(text):
    """(line number, line) with continuations joined and block comments gone."""
    text = COMMENT.sub(lambda m: " " + "\n" * m.group(0).count("\n"), text)
    pending, start = "", 0
    for number, line in enumerate(text.splitlines(), 1):
        if not pending:
            start = number
        if line.endswith("\\"):
            pending += line[:-1]
            continue
        yield start, pending + line
        pending = ""
    if pending:
        yield start, pending


def candidates(root, rel, name, quoted):
    """Repository paths the compiler may take for an include, in its order.

    A quoted name is looked for beside the including file first; both forms
    then go through the source root. Only names that exist count, unless none
    does: then every reading is judged."""
    paths = [posixpath.join(posixpath.dirname(rel), name)] if quoted else []
    paths.append(name)
    paths = [posixpath.normpath(p) for p in paths]
    paths = [p for p in paths if p != ".." and not p.startswith("../") and not p.startswith("/")]
    found = [p for p in paths if (root / p).is_file()]
    return found[:1] if found else paths


def faults_in(root, file):
    rel = file.relative_to(root).as_posix()
    src = folder_of(rel)
    if src is None:
        return []
    may = allowed(src)
    faults = []
    for number, line in logical_lines(file.read_text(errors="replace")):
        directive = DIRECTIVE.match(line)
        if not directive:
            continue
        named = NAMED.match(directive.group(1).strip())
        if not named:
            faults.append(f"{rel}:{number}: {src}/ includes a name that cannot be checked: {directive.group(1).strip()}")
            continue
        name = named.group(1) or named.group(2)
        for path in candidates(root, rel, name, named.group(1) is not None):
            dst = folder_of(path)
            if dst is not None and dst not in may:
                faults.append(f"{rel}:{number}: {src}/ includes {name} from {dst}/")
                break
    return faults


def check(root):
    """Every upward include under root, one line each."""
    root = pathlib.Path(root)
    tops = sorted({folder.split("/")[0] for folder in FOLDERS})
    files = sorted(f for top in tops for f in (root / top).rglob("*") if f.suffix in SOURCES and f.is_file())
    return [fault for file in files for fault in faults_in(root, file)]


def main():
    faults = check(sys.argv[1] if len(sys.argv) > 1 else ".")
    for fault in faults:
        print(fault)
    if faults:
        print(f"check-layers: {len(faults)} include(s) point up or across a floor", file=sys.stderr)
        return 1
    print("check-layers: every include points down")
    return 0


if __name__ == "__main__":
    sys.exit(main())
