#!/usr/bin/env python3
"""Tests of tools/measure-quality: its counting and its simulation of the
dictionary lookup (--dry), which must read dictionary lines the way the
program does."""

import contextlib
import io
import os
import tempfile
import unittest

from tool_module import ROOT, load_tool

mq = load_tool("measure-quality")


def write_cp1251(directory, name, lines):
    path = os.path.join(directory, name)
    with open(path, "wb") as f:
        f.write(("\n".join(lines) + "\n").encode("cp1251"))
    return path


class Conversion(unittest.TestCase):
    def test_lines_convert_like_the_program(self):
        cases = {
            "о чём": r"\bо\s+ч([её])м\b",
            "о  чём": r"\bо\s+ч([её])м\b",
            "всё-таки": r"\bвс([её])-(\r\n){0,1}таки\b",
            r"\d+ лет": r"\d+\s+л([её])т\b",
            "ещё раз": r"([её])щ([её])\s+раз\b",
            "всё": r"\bвс([её])",
            r"\(е\)": r"\(([её])\)",
        }
        for line, expression in cases.items():
            self.assertEqual(mq.line_to_expression(line), expression, line)
        # The program's class ranges hold ё.
        self.assertEqual(mq.line_to_expression("вс[а-я]"), r"\bвс[а-яё]")


class Counting(unittest.TestCase):
    def figures(self, original, restored, questions):
        with contextlib.redirect_stdout(io.StringIO()):
            return mq.measure(original, restored, questions, False)

    def test_each_word_counts_once(self):
        original = "Всё её лёд мел. Тот ещё."
        # всё asked, её right, лёд missed, мел→мёл wrong, ещё right.
        restored = "Все её лед мёл. Тот ещё."
        f = self.figures(original, restored, {0})
        self.assertEqual(f["words"], 6)
        self.assertEqual(f["yo"], 4)
        self.assertEqual((f["right"], f["wrong"], f["missed"]), (2, 1, 1))
        self.assertEqual((f["asked"], f["asked_yo"]), (1, 1))


class Errata(unittest.TestCase):
    def write(self, tmp, text):
        path = os.path.join(tmp, "errata.tsv")
        with open(path, "w", encoding="utf-8") as f:
            f.write(text)
        return path

    def test_whole_words_are_corrected_everywhere(self):
        with tempfile.TemporaryDirectory() as tmp:
            path = self.write(tmp, "# comment\nживет\tживёт\tthe text writes живёт\n"
                                   "гдё\tгде\tno such word\n")
            errata = mq.read_errata(path)
        text, count = mq.apply_errata("Он живет; живет-то гдё? Проживет где-то.", errata)
        self.assertEqual(text, "Он живёт; живёт-то где? Проживет где-то.")
        self.assertEqual(count, 3)

    def test_a_correction_may_change_only_e_and_yo_and_needs_a_reason(self):
        bad_lines = ["живет\tживут\tnot an е/ё change\n", "живет\tживёт\n",
                     "живет\tживет\tthe same word\n", "два слова\tдва слёва\tx\n"]
        with tempfile.TemporaryDirectory() as tmp:
            for line in bad_lines:
                path = self.write(tmp, line)
                with self.assertRaises(SystemExit, msg=line):
                    mq.read_errata(path)

    def test_an_old_spelling_may_change_more_when_marked_and_must_keep_its_yo(self):
        with tempfile.TemporaryDirectory() as tmp:
            path = self.write(tmp, "несмышлённого\tнесмышлёного\ttoday one н\told\n")
            errata = mq.read_errata(path)
            self.assertEqual(errata.old, {"несмышлённого"})
            text, count = mq.apply_errata("несмышлённого ребёнка", errata)
            self.assertEqual((text, count), ("несмышлёного ребёнка", 1))
            for line in ["несмышлённого\tнесмышлёного\ttoday one н\n",
                         "несмышлённого\tнесмышлёного\ttoday one н\tnew\n",
                         "свёрстных\tсверстников\tno ё in the correction\told\n",
                         "несмышлённого\tнесмышлёного\t\told\n"]:
                path = self.write(tmp, line)
                with self.assertRaises(SystemExit, msg=line):
                    mq.read_errata(path)

    def test_the_bundled_errata_are_well_formed(self):
        path = os.path.join(ROOT, "data", "quality", "tolstoy-ispoved-errata.tsv")
        self.assertGreater(len(mq.read_errata(path)), 0)


class Simulation(unittest.TestCase):
    def test_sure_entries_change_and_expressions_settle_doubtful_ones(self):
        with tempfile.TemporaryDirectory() as tmp:
            dic = write_cp1251(tmp, "d.dat", ["# Версия: 1", "Алёша", "всё?", "ещё", "чём?"])
            rx = write_cp1251(tmp, "r.dat", ["# c", "о чём", "всё-таки"])
            text = "Алеша еще спросил о чем-то. Все-таки все ушли. алеша."
            restored, questions = mq.simulate(text, dic, rx)
        self.assertEqual(restored, "Алёша ещё спросил о чём-то. Всё-таки все ушли. алеша.")
        words = mq.WORD.findall(text)
        self.assertEqual([words[i] for i in sorted(questions)], ["все"])


if __name__ == "__main__":
    unittest.main()
