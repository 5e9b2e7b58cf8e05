#!/usr/bin/env python3
"""Property list files checked by a parser we did not write (plistlib).

  plistcheck.py sample OUT xml|binary COUNT   a file with every type, COUNT entries
  plistcheck.py bookmarks OUT xml|binary      a bookmarks file full of other entries
  plistcheck.py same A B                      both files hold equal values of equal types
  plistcheck.py reads FILE...                 every file reads
  plistcheck.py added ORIG NOW ENTRY.json     NOW is ORIG with ENTRY last on the bar
  plistcheck.py json FILE                     prints the file as JSON (strings only)
Exit 0 when the check holds; 1 with the reason on stderr otherwise.
"""
import datetime
import json
import plistlib
import sys

FORMATS = {"xml": plistlib.FMT_XML, "binary": plistlib.FMT_BINARY}


def every_type(i):
    return {
        "string": "entry %d \u00e9\u4e2d\U0001F600 <&> \"'" % i, "empty": "", "lines": "a\nb\tc\r\nd",
        "integer": i * 7919 - 5000, "big": 2**63 - 1 - i, "negative": -(2**63) + i, "unsigned": 2**64 - 1 - i,
        "real": i / 7.0 - 3.25, "whole": float(i), "tiny": 5e-324, "true": True, "false": False,
        "date": datetime.datetime(2001, 1, 1) + datetime.timedelta(seconds=i * 86413),
        "old": datetime.datetime(1900 + i % 100, 2, 28, 23, 59, 58),
        "data": bytes((i + k) % 256 for k in range(i % 300)),
        "array": [i, "x", [], {}, [1.5, False]], "dict": {"nested": {"deeper": [i]}},
    }


def sample(count):
    top = every_type(count)
    top.update({"": "empty key", "cdata": "]]> end", "infinite": float("-inf"), "huge": 1.7976931348623157e308,
                "ancient": datetime.datetime(1066, 10, 14, 9, 0)})
    return {"entries": [every_type(i) for i in range(count)], "top": top}


def typed(value):
    """The value with each leaf's type beside it: True and 1 are not the same here."""
    if isinstance(value, dict):
        return {k: typed(v) for k, v in value.items()}
    if isinstance(value, list):
        return [typed(v) for v in value]
    return (type(value).__name__, value)


def bookmarks():
    leaf = lambda i: {
        "URLString": "https://example.org/page%d?q=%d&r=1" % (i, i),
        "WebBookmarkType": "WebBookmarkTypeLeaf",
        "WebBookmarkUUID": "0A1B2C3D-0000-4000-8000-%012d" % i,
        "URIDictionary": {"title": "Page %d \u00fc" % i},
        "Sync": {"ServerID": "id%d" % i, "Data": bytes(range(i % 50))},
        "ReadingList": {"DateAdded": datetime.datetime(2020, 5, 1 + i % 28, 10, 0, i % 60), "Score": i * 0.5},
        "imageURL": i,
        "isPinned": i % 2 == 0,
    }
    return {
        "Title": "",
        "WebBookmarkFileVersion": 1,
        "WebBookmarkType": "WebBookmarkTypeList",
        "WebBookmarkUUID": "Root",
        "Sync": {"Key": b"\x00\x01\xff" * 40, "Stamp": 3.5e9},
        "Children": [
            {"Title": "History", "WebBookmarkType": "WebBookmarkTypeProxy", "WebBookmarkIdentifier": "History"},
            {"Title": "BookmarksBar", "WebBookmarkType": "WebBookmarkTypeList",
             "Children": [leaf(i) for i in range(120)] + [{"Title": "Folder", "Children": [leaf(999)], "Extra": [1, 2.0, True]}]},
            {"Title": "BookmarksMenu", "WebBookmarkType": "WebBookmarkTypeList", "Children": [leaf(i) for i in range(30)]},
            {"Title": "com.apple.ReadingList", "Children": [every_type(i) for i in range(10)]},
        ],
    }


def load(path):
    with open(path, "rb") as f:
        return plistlib.load(f)


def dump(value, path, fmt):
    with open(path, "wb") as f:
        plistlib.dump(value, f, fmt=FORMATS[fmt])


def fail(why):
    sys.exit(why)


def main(argv):
    cmd, args = argv[1], argv[2:]
    if cmd == "sample":
        dump(sample(int(args[2])), args[0], args[1])
    elif cmd == "bookmarks":
        dump(bookmarks(), args[0], args[1])
    elif cmd == "same":
        if typed(load(args[0])) != typed(load(args[1])):
            fail("%s and %s differ" % (args[0], args[1]))
    elif cmd == "reads":
        for path in args:
            try:
                load(path)
            except Exception as e:
                fail("%s: %s" % (path, e))
    elif cmd == "added":
        orig, now = load(args[0]), load(args[1])
        with open(args[2]) as f:
            entry = json.load(f)
        bar = now["Children"][1]["Children"]
        if not bar or bar[-1] != entry:
            fail("last bar entry is %r, not %r" % (bar[-1] if bar else None, entry))
        bar.pop()
        if now != orig:
            fail("other entries changed")
    elif cmd == "json":
        print(json.dumps(load(args[0])))
    else:
        fail("unknown command " + cmd)


if __name__ == "__main__":
    main(sys.argv)
