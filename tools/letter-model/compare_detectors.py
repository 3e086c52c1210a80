#!/usr/bin/python3
"""Runs the detector's evaluation set through general-purpose detectors, for comparison.

Every row of tests/text/data/TagTexts.tsv (artist, title, album) is written in every code page of
the catalogue that Python can encode it in, and handed to chardet (python3-chardet) and uchardet
(the uchardet command), both from Debian. A guess is right when decoding the bytes with it gives
back the text. Vennart's own figures are printed by the test vennart_text_detection_tests.
Run from the checkout: tools/letter-model/compare_detectors.py
"""
import codecs
import shutil
import subprocess
import sys

CODE_PAGES = {
    1250: "cp1250", 1251: "cp1251", 1252: "cp1252", 1253: "cp1253", 1254: "cp1254", 1255: "cp1255",
    1256: "cp1256", 1257: "cp1257", 1258: "cp1258", 20866: "koi8_r", 21866: "koi8_u", 866: "cp866",
    437: "cp437", 850: "cp850", 28591: "latin_1", 28592: "iso8859_2", 28593: "iso8859_3",
    28594: "iso8859_4", 28595: "iso8859_5", 28596: "iso8859_6", 28597: "iso8859_7", 28598: "iso8859_8",
    28599: "iso8859_9", 28600: "iso8859_10", 28601: "iso8859_11", 28603: "iso8859_13",
    28604: "iso8859_14", 28605: "iso8859_15", 874: "cp874", 932: "cp932", 936: "gbk", 949: "cp949",
    950: "big5", 10000: "mac_roman",
}


def evaluation_set():
    with open("tests/text/data/TagTexts.tsv", encoding="utf-8") as table:
        for line in table:
            if line.strip() and not line.startswith("#"):
                yield line.rstrip("\r\n").split("\t")[1:]


def encoded_rows():
    for fields in evaluation_set():
        text = " ".join(fields)
        for codec in CODE_PAGES.values():
            try:
                data = text.encode(codec)
            except UnicodeEncodeError:
                continue
            if any(byte >= 0x80 for byte in data):
                yield text, data, codec


def reads_back(data, name, text):
    try:
        return name is not None and data.decode(codecs.lookup(name).name) == text
    except (LookupError, UnicodeDecodeError):
        return False


def chardet_guess(data):
    import chardet
    return chardet.detect(data)["encoding"]


def uchardet_guess(data):
    result = subprocess.run(["uchardet"], input=data, capture_output=True, check=False)
    return result.stdout.decode().strip() or None


def main():
    rows = list(encoded_rows())
    detectors = [("chardet", chardet_guess)]
    if shutil.which("uchardet"):
        detectors.append(("uchardet", uchardet_guess))
    for name, guess in detectors:
        right = sum(reads_back(data, guess(data), text) for text, data, _ in rows)
        print(f"{name}: {right} of {len(rows)} files right ({100 * right / len(rows):.1f}%)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
