#!/usr/bin/env python3
"""Tests of tools/import-opencorpora.

- Which readings of an е-form make its ё-form doubtful, on a hand-made
  OpenCorpora: another form or lexeme does, the е-spelling of the ё-form
  itself does not, whether OpenCorpora writes the lexeme with ё or not.
- The committed lists are what the build expects: one form a line with its
  parts of speech or its reason, the licence in the header, and every
  homograph a word the build can take.
- With the npm package installed (npm ci --prefix tools/opencorpora), the
  reader finds known words with their grammemes.
"""

import os
import unittest

from tool_module import ROOT, load_tool

oc = load_tool("import-opencorpora")


class FakeOpenCorpora:
    """parses() of the real reader over lexemes given as [(form, tag)]."""

    def __init__(self, *lexemes):
        self.lexemes = lexemes

    def parses(self, word):
        return [(lexeme[0][0], tag, lexeme) for lexeme in self.lexemes
                for form, tag in lexeme if form == word]


STAR = [("звезда", "NOUN,inan,femn sing,nomn"), ("звезды", "NOUN,inan,femn sing,gent"),
        ("звёзды", "NOUN,inan,femn plur,nomn")]
NEAR_ADJ = [("недалёкий", "ADJF,Qual masc,sing,nomn"), ("недалёко", "ADJS,Qual neut,sing"),
            ("недалеко", "ADJS,Qual neut,sing")]
NEAR_ADV = [("недалеко", "ADVB")]
# OpenCorpora writes this noun with е throughout.
WHEEL = [("колесико", "NOUN,inan,neut sing,nomn"), ("колесиками", "NOUN,inan,neut plur,ablt")]
SUMMER = [("лето", "NOUN,inan,neut sing,nomn"), ("лета", "NOUN,inan,neut sing,gent"),
          ("лет", "NOUN,inan,neut plur,gent")]
# One form of an otherwise ё-written lexeme spelled with е.
CARRY = [("провезти", "INFN,perf,tran"), ("провезёт", "VERB,perf,tran sing,3per,futr,indc"),
         ("провез", "VERB,perf,tran masc,sing,past,indc")]
DRIVER = [("шофер", "NOUN,anim,masc sing,nomn,Infr"), ("шофёр", "NOUN,anim,masc sing,nomn")]
WATCHMAN = [("вахтёр", "NOUN,anim,masc sing,nomn"), ("вахтёра", "NOUN,anim,masc sing,gent"),
            ("вахтера", "NOUN,anim,masc plur,nomn,Infr")]
LOADED = [("перегрузить", "INFN,perf,tran"),
          ("перегружённый", "PRTF,perf,tran,past,pssv masc,sing,nomn,Infr"),
          ("перегруженный", "PRTF,perf,tran,past,pssv masc,sing,nomn")]
PETR = [("петра", "NOUN,anim,femn,Name sing,nomn"), ("петр", "NOUN,anim,femn,Name plur,gent")]
LEVIN = [("левин", "NOUN,anim,masc,Surn sing,nomn")]
MED = [("мед", "NOUN,inan,masc,Abbr sing,nomn")]


def doubtful(source, yo_form, hunspell=()):
    return bool(oc.other_word(source, yo_form, [list(l) for l in hunspell]))


class Readings(unittest.TestCase):
    def test_another_form_or_lexeme_makes_doubt(self):
        self.assertTrue(doubtful(FakeOpenCorpora(STAR), "звёзды"))
        self.assertTrue(doubtful(FakeOpenCorpora(NEAR_ADJ, NEAR_ADV), "недалёко"))
        # Without the adverb, недалеко is only the е-spelling of the same form.
        self.assertFalse(doubtful(FakeOpenCorpora(NEAR_ADJ), "недалёко"))
        self.assertFalse(doubtful(FakeOpenCorpora(STAR), "звёзд"))

    def test_a_lexeme_spelled_with_e_is_the_same_word(self):
        wheel = [["колёсико", "колёсиками"]]
        self.assertFalse(doubtful(FakeOpenCorpora(WHEEL), "колёсиками", wheel))
        # «лет» of «лето» is no form of «лёт», although the forms look alike.
        flight = [["лёт", "лёта", "лёту"]]
        self.assertTrue(doubtful(FakeOpenCorpora(SUMMER), "лёт", flight))
        carry = [["провезти", "провезёт", "провёз"]]
        self.assertFalse(doubtful(FakeOpenCorpora(CARRY), "провёз", carry))
        self.assertTrue(doubtful(FakeOpenCorpora(CARRY), "провёз", [["провёз"]]))

    def test_colloquial_e_forms_are_variants_standard_ones_words(self):
        self.assertFalse(doubtful(FakeOpenCorpora(DRIVER), "шофёр"))
        self.assertFalse(doubtful(FakeOpenCorpora(WATCHMAN), "вахтёра"))
        self.assertTrue(doubtful(FakeOpenCorpora(LOADED), "перегружённый"))

    def test_names_meet_names_in_their_own_right_and_abbreviations_nothing(self):
        # «Петр» as a case of the name Петра does not make «Пётр» doubtful,
        # nor does a name make a common word doubtful.
        self.assertFalse(doubtful(FakeOpenCorpora(PETR), "Пётр"))
        self.assertTrue(doubtful(FakeOpenCorpora(LEVIN), "Лёвин"))
        self.assertFalse(doubtful(FakeOpenCorpora(LEVIN), "лёвин"))
        self.assertFalse(doubtful(FakeOpenCorpora(MED), "мёд"))

    def test_readings_are_described_once_each(self):
        found = oc.other_word(FakeOpenCorpora(STAR), "звёзды", [])
        self.assertEqual(oc.describe(found + found), "звезда sing,gent")

    def test_payload_and_tags(self):
        self.assertEqual(oc.payload(bytes([1, 0])), 0)
        self.assertEqual(oc.payload(bytes([0, 2])), 65)
        self.assertEqual(oc.without("NOUN,anim,masc sing,nomn,Infr", "Infr"),
                         "NOUN,anim,masc sing,nomn")
        self.assertTrue(oc.citation_form("PRTF,perf,tran,past,actv masc,sing,nomn"))
        self.assertFalse(oc.citation_form("NOUN,inan,neut plur,gent"))


class CommittedLists(unittest.TestCase):
    def read(self, name):
        with open(os.path.join(ROOT, "data", "src", name), encoding="utf-8") as f:
            lines = f.read().split("\n")
        header = [l for l in lines if l.startswith("#")]
        self.assertTrue(any("CC BY-SA 3.0" in l for l in header), name)
        return [l.split("\t") for l in lines if l and not l.startswith("#")]

    def test_lists_hold_words_with_yo_and_their_fields(self):
        yo = self.read("opencorpora-yo.txt")
        self.assertGreater(len(yo), 100000)
        for fields in yo:
            self.assertEqual(len(fields), 2, fields)
            self.assertIn("ё", fields[0].lower(), fields)
        homographs = self.read("opencorpora-homographs.txt")
        self.assertIn(["звёзды", "звезды: звезда sing,gent"], homographs)
        for fields in homographs:
            self.assertEqual(len(fields), 2, fields)
            self.assertTrue(fields[1].startswith(oc.ekey(fields[0].lower()) + ": "), fields)
        for base, pos, forms in self.read("opencorpora-paradigms.txt"):
            self.assertIn(pos, ("NOUN", "ADJF"))
            self.assertEqual(forms.split()[0], base)


class InstalledPackage(unittest.TestCase):
    def test_reader_finds_words_and_grammemes(self):
        if not os.path.exists(os.path.join(oc.AZ_DICTS, "words.dawg")):
            raise unittest.SkipTest("npm package az not installed (npm ci --prefix tools/opencorpora)")
        source = oc.OpenCorpora(oc.AZ_DICTS)
        tags = {tag for _, tag, _ in source.parses("звезды")}
        self.assertIn("NOUN,inan,femn sing,gent", tags)
        self.assertTrue(any(f == "звёзды" for _, _, lexeme in source.parses("звезды")
                            for f, _ in lexeme))
        self.assertEqual(source.parses("бельёа"), [])


if __name__ == "__main__":
    unittest.main()
