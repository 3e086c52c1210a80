#!/usr/bin/env python3
"""Builds data/LetterBigrams.tsv, the letter statistics the code page detector scores text with.

Reads the word lists of Debian's hunspell dictionaries (apt-get install hunspell-ru hunspell-de-de
...), counts which letter follows which inside words (a blank stands for the start and the end of a
word), weighs every language alike, and writes for each pair the cost -ln P(next | letter) in
quarter nats. Pairs rarer than the cut-off are left out: the detector gives them its cost for
unseen pairs. Run from the checkout: tools/letter-model/build_letter_model.py > data/LetterBigrams.tsv
"""
import collections
import math
import os
import sys

HUNSPELL = "/usr/share/hunspell"
# One dictionary per language of the code pages the catalogue lists.
LANGUAGES = [
    "ru_RU", "uk_UA", "be_BY", "bg_BG", "sr_RS", "sr_Latn_RS",
    "pl_PL", "cs_CZ", "sk_SK", "hu_HU", "sl_SI", "hr_HR", "ro_RO",
    "de_DE", "fr_FR", "es_ES", "it_IT", "pt_PT", "nl_NL", "sv_SE", "da_DK", "nb_NO",
    "el_GR", "tr_TR", "lt_LT", "lv_LV", "he_IL", "ar", "vi_VN", "th_TH",
]
ENGLISH = "/usr/share/dict/american-english"
WORDS_PER_LANGUAGE = 60000
COST_UNIT = 4  # quarter nats
MAX_COST = 48  # 12 nats: rarer pairs are left out
MIN_COUNT = 3
BOUNDARY = " "


def dictionary_encoding(aff_path):
    with open(aff_path, "rb") as aff:
        for raw in aff:
            line = raw.decode("latin-1").strip()
            if line.startswith("SET"):
                name = line.split()[1]
                return {"ISO8859-7": "iso8859-7", "microsoft-cp1251": "cp1251"}.get(name, name)
    return "iso8859-1"


def dictionary_words(language):
    encoding = dictionary_encoding(os.path.join(HUNSPELL, language + ".aff"))
    with open(os.path.join(HUNSPELL, language + ".dic"), "rb") as dic:
        lines = dic.read().decode(encoding, errors="ignore").splitlines()[1:]
    for line in lines:
        yield line.split("/")[0].split("\t")[0].strip()


def english_words():
    with open(ENGLISH, encoding="utf-8") as words:
        for line in words:
            yield line.strip()


def letters_only(word):
    word = word.lower()
    return word if word and all(ch.isalpha() for ch in word) else None


def count_pairs(words):
    """Counts over an even sample of the list, which is sorted, so that every initial letter counts."""
    kept = [word for word in map(letters_only, words) if word]
    pairs = collections.Counter()
    for word in kept[:: max(1, len(kept) // WORDS_PER_LANGUAGE)]:
        padded = BOUNDARY + word + BOUNDARY
        for first, second in zip(padded, padded[1:]):
            pairs[first, second] += 1
    return pairs


def main():
    sources = [(name, dictionary_words(name)) for name in LANGUAGES] + [("en_US", english_words())]
    print("# Letter pairs of words, per language: language, first letter, next letter (code points in")
    print("# hex, 20 for the start or end of a word) and -ln P(next | first) in quarter nats.")
    print("# Made by tools/letter-model/build_letter_model.py from Debian's hunspell word lists.")
    for name, words in sources:
        pairs = count_pairs(words)
        following = collections.Counter()
        for (first, _), count in pairs.items():
            following[first] += count
        language = name.split("_")[0] if name != "sr_Latn_RS" else "sh"
        for (first, second), count in sorted(pairs.items()):
            cost = round(-math.log(count / following[first]) * COST_UNIT)
            if cost <= MAX_COST and count >= MIN_COUNT:
                print(f"{language}\t{ord(first):x}\t{ord(second):x}\t{cost}")


if __name__ == "__main__":
    main()
