#!/usr/bin/env python3
"""Checks the shipped language files against English and the sources.

Every file must be plain lines, each ending in a line feed (no byte order
mark or carriage return), parse, hold exactly the English keys, keep each value's "%@"
placeholders, leave no value empty, not be mostly English and carry the words
that pages emphasise inside other texts; every key the sources look up
literally must exist in English.
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
LANG = ROOT / "resources" / "lang"
CODES = re.findall(r'QStringLiteral\("([A-Z_]+)"\)',
                   (ROOT / "core" / "Languages.cpp").read_text().split("LangFile()")[1])
SOURCE_DIRS = ["app", "guide", "steps", "widgets", "netcheck", "webconfig"]
LOOKUP = re.compile(r'(?:\btext|localizedStringForKey)\(\s*(?:QStringLiteral|QLatin1String)?\(?\s*"([^"%]+)"\s*\)')
# Names that stay the same in every language.
SAME_EVERYWHERE = {"HMLANGUAGEDIRECTION", "APP_ADOBE READER", "APP_TRADEMARK", "SETUPTIMEZONE",
                   "BUTTON OK", "APP_OK", "NO"}
# Texts in which the pages emphasise another key's text: it must occur there.
EMPHASISED = {"SETUPSEARCH_TEXT1": "APP_NEXT2", "SETUPHDD_TEXT1.5": "APP_NEXT2", "INSTALL_TEXT3": "APP_NEXT2",
              "SUMMARY_TEXT1": "SUMMARY_FINISH", "INSTALL_DIAG_TEXT8": "APP_RESET"}


def load(path, errors):
    table = {}
    raw = path.read_bytes()
    if raw.startswith(b"\xef\xbb\xbf") or b"\r" in raw or not raw.endswith(b"\n"):
        errors.append(f"{path.name}: not plain lines each ending in a line feed")
    text = raw.decode("utf-8")
    lines = text.split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    for number, line in enumerate(lines, 1):
        pieces = line.split('"')
        if len(pieces) < 4:
            errors.append(f"{path.name}:{number}: not a quoted key and value")
            continue
        key = pieces[1].upper()
        if key in table:
            errors.append(f"{path.name}:{number}: duplicate key {pieces[1]}")
        table[key] = pieces[3]
    return table


def main():
    errors = []
    english = load(LANG / "EN.txt", errors)
    for code in CODES:
        path = LANG / f"{code}.txt"
        if not path.exists():
            errors.append(f"{path.name}: missing")
            continue
        table = load(path, errors)
        for key in english.keys() - table.keys():
            errors.append(f"{path.name}: lacks {key}")
        for key in table.keys() - english.keys():
            errors.append(f"{path.name}: unknown key {key}")
        same = 0
        for key, value in table.items():
            if not value.strip():
                errors.append(f"{path.name}: empty value for {key}")
            if key in english and value.count("%@") != english[key].count("%@"):
                errors.append(f"{path.name}: {key} has {value.count('%@')} \"%@\", English has {english[key].count('%@')}")
            if code != "EN" and key not in SAME_EVERYWHERE and value == english.get(key) and len(value) > 12:
                same += 1
        for key, inner in EMPHASISED.items():
            if table.get(inner) and table.get(inner) not in table.get(key, ""):
                errors.append(f"{path.name}: {key} does not contain the text of {inner}")
        if table.get("HMLANGUAGEDIRECTION") != "ltr":
            errors.append(f"{path.name}: every shipped language is written left to right")
        phrase = "(%@)" if code == "PT" else "Vexor NVR (%@)"
        if phrase not in table.get("WELCOME_TEXT1", phrase):
            errors.append(f"{path.name}: WELCOME_TEXT1 lacks \"{phrase}\"")
        if code != "EN" and same > len(english) // 10:
            errors.append(f"{path.name}: {same} texts identical to English")
    for folder in SOURCE_DIRS:
        for source in sorted((ROOT / folder).rglob("*.[ch]*")):
            for key in LOOKUP.findall(source.read_text(encoding="utf-8")):
                if key.upper() not in english:
                    errors.append(f"{source.relative_to(ROOT)}: looks up {key}, not in EN.txt")
    for error in errors:
        print(error)
    print(f"{len(CODES)} languages, {len(english)} keys: {'FAIL' if errors else 'OK'}")
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
