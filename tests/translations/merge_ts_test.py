#!/usr/bin/env python3
"""Tests of scripts/merge-ts.py: the union two branches' texts make, and the canonical order."""

import importlib.util
import os
import subprocess
import sys
import tempfile
import unittest

SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "merge-ts.py")
spec = importlib.util.spec_from_file_location("merge_ts", SCRIPT)
merge_ts = importlib.util.module_from_spec(spec)
spec.loader.exec_module(merge_ts)


def ts(*messages, context="Ctx"):
    body = "".join(messages)
    return ('<?xml version="1.0" encoding="utf-8"?>\n<!DOCTYPE TS>\n<TS version="2.1" language="ja">\n'
            f"<context>\n    <name>{context}</name>\n{body}</context>\n</TS>\n")


def message(source, translation=None, kind=None):
    attribute = f' type="{kind}"' if kind else ""
    return (f"    <message>\n        <source>{source}</source>\n"
            f"        <translation{attribute}>{translation or ''}</translation>\n    </message>\n")


class MergeTs(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()

    def tearDown(self):
        self.folder.cleanup()

    def write(self, name, text):
        path = os.path.join(self.folder.name, name)
        with open(path, "w", encoding="utf-8") as handle:
            handle.write(text)
        return path

    def run_script(self, *args):
        return subprocess.run([sys.executable, SCRIPT, *args], capture_output=True, text=True)

    def translations(self, path):
        _, _, messages = merge_ts.read_ts(path)
        return {key[1]: (merge_ts.translation_text(m), merge_ts.translation_state(m))
                for key, m in messages.items()}

    def test_union_keeps_both_branches_texts_and_prefers_finished(self):
        ours = self.write("ours.ts", ts(message("Open", "開く"), message("Close", kind="unfinished")))
        theirs = self.write("theirs.ts", ts(message("Close", "閉じる"), message("Save", "保存")))
        out = os.path.join(self.folder.name, "out.ts")
        result = self.run_script(ours, theirs, "-o", out)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(self.translations(out), {
            "Open": ("開く", 2), "Close": ("閉じる", 2), "Save": ("保存", 2)})

    def test_three_way_honours_removals_and_one_sided_changes(self):
        base = self.write("base.ts", ts(message("Gone", "消去"), message("Kept", "旧訳")))
        ours = self.write("ours.ts", ts(message("Kept", "旧訳")))  # we removed "Gone"
        theirs = self.write("theirs.ts", ts(message("Gone", "消去"), message("Kept", "新訳")))
        out = os.path.join(self.folder.name, "out.ts")
        result = self.run_script("--base", base, ours, theirs, "-o", out)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(self.translations(out), {"Kept": ("新訳", 2)})

    def test_two_different_translations_keep_ours_and_fail(self):
        ours = self.write("ours.ts", ts(message("Open", "開く")))
        theirs = self.write("theirs.ts", ts(message("Open", "オープン")))
        out = os.path.join(self.folder.name, "out.ts")
        result = self.run_script(ours, theirs, "-o", out)
        self.assertEqual(result.returncode, 1)
        self.assertIn("'Open'", result.stderr)
        self.assertEqual(self.translations(out), {"Open": ("開く", 2)})

    def test_normalize_sorts_and_keeps_special_characters(self):
        path = self.write("n.ts", ts(message("b &amp; &lt;c&gt;", "ビー"), message("a\n\"quoted\"", "エー")))
        result = self.run_script("--normalize", path)
        self.assertEqual(result.returncode, 0, result.stderr)
        with open(path, encoding="utf-8") as handle:
            text = handle.read()
        self.assertLess(text.index("a\n&quot;quoted&quot;"), text.index("b &amp; &lt;c&gt;"))
        self.assertEqual(self.translations(path), {"a\n\"quoted\"": ("エー", 2), "b & <c>": ("ビー", 2)})

    def test_unreadable_file_is_an_error_not_a_traceback(self):
        bad = self.write("bad.ts", "<TS><context>")
        result = self.run_script("--normalize", bad)
        self.assertEqual(result.returncode, 2)
        self.assertIn("bad.ts", result.stderr)


if __name__ == "__main__":
    unittest.main()
