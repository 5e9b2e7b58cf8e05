#!/usr/bin/env python3
"""Checks what the Debian package would install.

    check-package-contents.py PACKAGE.deb EXTRACTED_FOLDER APP_ID

Both programs and every shipped resource are there (the launcher bundle
where the wizard copies it from, each language file of the source tree, the
product documents, an icon of each hicolor size drawn at that size, the
desktop entry, the AppStream metadata, the manual page, copyright and
changelog, the settings file as a conffile); nothing else is (no test, bench
or simulator program, nothing outside the package's own folders, no program
under /usr/share); files are root's and writable by root only; the desktop
entry starts a program of the package and names an icon it ships.
"""
import configparser
import pathlib
import re
import struct
import subprocess
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
ALLOWED = ("etc/nvrwizard/", "usr/bin/", "usr/lib/nvrwizard/", "usr/share/nvrwizard/",
           "usr/share/applications/", "usr/share/metainfo/", "usr/share/icons/hicolor/",
           "usr/share/man/man1/", "usr/share/doc/nvrwizard/")
DEVELOPER_PROGRAMS = re.compile(r"(^|/)(tst_\w+|bench_\w+|fuzz_\w+|nvrsim|nvrshots|nvrdocs|nvricon|plistwriter)$")
ICON_SIZES = (16, 24, 32, 48, 64, 128, 256, 512)


def listing(deb):
    """(mode, owner, path) of each member, as dpkg-deb lists them."""
    out = subprocess.run(["dpkg-deb", "-c", str(deb)], check=True, capture_output=True, text=True).stdout
    rows = []
    for line in out.splitlines():
        fields = line.split(None, 5)
        path = fields[5].split(" -> ")[0]
        rows.append((fields[0], fields[1], path[2:] if path.startswith("./") else path))
    return rows


def png_size(path):
    head = path.read_bytes()[:24]
    if head[:8] != b"\x89PNG\r\n\x1a\n" or head[12:16] != b"IHDR":
        return None
    return struct.unpack(">II", head[16:24])


def document_names():
    text = (ROOT / "resources" / "docs" / "CMakeLists.txt").read_text()
    return re.findall(r'"[^"|]+\|([^"|]+)\|\d+\|\d+"', text)


def main():
    deb, tree, app_id = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2]), sys.argv[3]
    errors = []
    rows = listing(deb)
    files = {path for mode, _, path in rows if not mode.startswith("d")}

    launcher = "usr/lib/nvrwizard/HRX260A.app/Contents/MacOS/HRX260A"
    required = {"usr/bin/nvrwizard", launcher, "etc/nvrwizard/deployment.conf",
                f"usr/share/applications/{app_id}.desktop", f"usr/share/metainfo/{app_id}.metainfo.xml",
                "usr/share/man/man1/nvrwizard.1.gz", "usr/share/doc/nvrwizard/copyright",
                "usr/share/doc/nvrwizard/changelog.gz"}
    required |= {f"usr/share/nvrwizard/lang/{p.name}" for p in (ROOT / "resources" / "lang").glob("*.txt")}
    required |= {f"usr/share/nvrwizard/{name}" for name in document_names()}
    required |= {f"usr/share/icons/hicolor/{s}x{s}/apps/{app_id}.png" for s in ICON_SIZES}
    errors += [f"missing: /{p}" for p in sorted(required - files)]

    for mode, owner, path in rows:
        if not path or path.endswith("/") and any(a.startswith(path) for a in ALLOWED):
            continue
        if not path.startswith(ALLOWED):
            errors.append(f"outside the package's folders: /{path}")
        if DEVELOPER_PROGRAMS.search(path):
            errors.append(f"developer program shipped: /{path}")
        if owner != "root/root":
            errors.append(f"owned by {owner}: /{path}")
        if mode[5] == "w" or mode[8] == "w":
            errors.append(f"writable by others than root ({mode}): /{path}")
        local = tree / path
        if local.is_file() and not local.is_symlink() and local.read_bytes()[:4] == b"\x7fELF":
            if path.startswith("usr/share/"):
                errors.append(f"program under /usr/share: /{path}")
            if "x" not in mode:
                errors.append(f"program not executable: /{path}")
    if launcher in files and (tree / launcher).read_bytes()[:4] != b"\x7fELF":
        errors.append(f"not a program: /{launcher}")

    for s in ICON_SIZES:
        icon = tree / f"usr/share/icons/hicolor/{s}x{s}/apps/{app_id}.png"
        if icon.exists() and png_size(icon) != (s, s):
            errors.append(f"icon of {s}x{s} is {png_size(icon)}: /{icon.relative_to(tree)}")

    conffiles = subprocess.run(["dpkg-deb", "-I", str(deb), "conffiles"], capture_output=True, text=True).stdout
    if "/etc/nvrwizard/deployment.conf" not in conffiles.split():
        errors.append("/etc/nvrwizard/deployment.conf is not a conffile")

    desktop = tree / f"usr/share/applications/{app_id}.desktop"
    if desktop.exists():
        entry = configparser.ConfigParser(interpolation=None)
        entry.optionxform = str
        entry.read(desktop, encoding="utf-8")
        section = entry["Desktop Entry"]
        program = section.get("Exec", "").split()[0] if section.get("Exec") else ""
        if f"usr/bin/{program}" not in files:
            errors.append(f"the desktop entry starts {program!r}, which the package does not hold in /usr/bin")
        if section.get("Icon") != app_id:
            errors.append(f"the desktop entry's icon is {section.get('Icon')!r}, not {app_id!r}")
    metainfo = tree / f"usr/share/metainfo/{app_id}.metainfo.xml"
    if metainfo.exists() and f'<launchable type="desktop-id">{app_id}.desktop</launchable>' not in metainfo.read_text():
        errors.append("the AppStream metadata does not launch the desktop entry")

    for e in errors:
        print(f"package: {e}", file=sys.stderr)
    print(f"package contents: {len(files)} files, {len(errors)} problems")
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
