#!/usr/bin/env python3
"""scripts/check-layers.py on small trees, each with one include planted:
every way of writing an upward include is refused, downward ones pass."""
import importlib.util
import pathlib
import tempfile
import unittest

SCRIPT = pathlib.Path(__file__).resolve().parents[2] / "scripts" / "check-layers.py"
SPEC = importlib.util.spec_from_file_location("check_layers", SCRIPT)
layers = importlib.util.module_from_spec(SPEC)
SPEC.loader.exec_module(layers)
HEADERS = ["widgets/MainWindow.h", "app/SetupView.h", "app/headless/HeadlessMode.h", "platform/Log.h", "steps/S.h"]

# (what the row shows, the including file, its text)
UPWARD = [
    ("through the root", "platform/A.cpp", '#include "widgets/MainWindow.h"\n'),
    ("relative", "platform/A.cpp", '#include "../widgets/MainWindow.h"\n'),
    ("angle brackets", "platform/A.cpp", "#include <widgets/MainWindow.h>\n"),
    ("through another folder", "platform/A.cpp", '#include "platform/../widgets/MainWindow.h"\n'),
    ("bare name into a folder above", "app/A.cpp", '#include "headless/HeadlessMode.h"\n'),
    ("in a .hpp file", "platform/A.hpp", '#include "widgets/MainWindow.h"\n'),
    ("in a .cc file", "util/A.cc", '#include "steps/S.h"\n'),
    ("in a .cxx file", "util/A.cxx", '#include "steps/S.h"\n'),
    ("spaced directive", "platform/A.h", '  #  include   "widgets/MainWindow.h"\n'),
    ("include_next", "platform/A.h", "#include_next <widgets/MainWindow.h>\n"),
    ("comment inside", "platform/A.h", '#/* c */include /* d */ "widgets/MainWindow.h"\n'),
    ("line continued", "platform/A.h", '#include \\\n    "widgets/MainWindow.h"\n'),
    ("name in a macro", "platform/A.h", "#define H <widgets/MainWindow.h>\n#include H\n"),
    ("header that does not exist", "platform/A.h", '#include "../widgets/Gone.h"\n'),
    ("same floor, other folder", "core/A.cpp", '#include "../netcheck/N.h"\n'),
    ("simulator", "sim/A.cpp", '#include "../steps/S.h"\n'),
    ("launcher", "launcher/A.cpp", "#include <app/SetupView.h>\n"),
]
DOWNWARD = [
    ("relative down", "util/A.cpp", '#include "../platform/Log.h"\n'),
    ("bare name beside", "app/headless/A.cpp", '#include "HeadlessMode.h"\n'),
    ("headless on the shell", "app/headless/A.cpp", '#include "../SetupView.h"\n'),
    ("Qt", "platform/A.cpp", "#include <QtCore>\n#include <QString>\n"),
    ("commented out", "platform/A.cpp", '// #include "widgets/MainWindow.h"\n/*\n#include "../widgets/MainWindow.h"\n*/\n'),
]


def faults(planted, text):
    with tempfile.TemporaryDirectory() as tmp:
        root = pathlib.Path(tmp)
        for rel, content in [(h, "#pragma once\n") for h in HEADERS] + [(planted, text)]:
            (root / rel).parent.mkdir(parents=True, exist_ok=True)
            (root / rel).write_text(content)
        return layers.check(root)


class CheckLayers(unittest.TestCase):
    def test_upward_includes_are_refused(self):
        for row, planted, text in UPWARD:
            with self.subTest(row):
                found = faults(planted, text)
                self.assertEqual(len(found), 1, found)
                self.assertTrue(found[0].startswith(planted + ":"), found)

    def test_downward_includes_pass(self):
        for row, planted, text in DOWNWARD:
            with self.subTest(row):
                self.assertEqual(faults(planted, text), [])


if __name__ == "__main__":
    unittest.main()
