#!/usr/bin/env python3
"""Writes the pinyin table compiled into the program: every CJK character's readings, without tones.

Usage: make-pinyin-table.py DICTIONARY WITHOUT_READING OUTPUT_CPP

DICTIONARY is pinyin_dict.go of Debian's golang-github-mozillazg-go-pinyin-dev (MIT): one line
`0xXXXX: "reading,reading",` per code point, readings with tone marks. WITHOUT_READING lists the
characters that must have readings but for which the dictionary has none (see that file).

Fails, writing nothing, when a character of code page 936's Chinese set or of U+4E00..U+9FFF has no
readings and is not listed, when a listed one has readings after all, or when the table would not fit
its layout.
"""
import os
import re
import sys
import unicodedata

# Ext A and the unified block are indexed directly by code point; the rest follow, sorted.
DIRECT_FIRST, DIRECT_LAST = 0x3400, 0x9FFF
MAX_CHAR_IDS = 1 << 16  # the matcher keeps a character's id in 16 bits
MAX_LISTS = 1 << 13  # and a syllable or a list in 13
MAX_SYLLABLE = 7


def read_dictionary(path):
    readings = {}
    entry = re.compile(r'\s*0x([0-9A-Fa-f]+):\s*"([^"]*)",')
    with open(path, encoding='utf-8') as f:
        for line in f:
            m = entry.match(line)
            if m:
                readings[int(m.group(1), 16)] = m.group(2).split(',')
    if len(readings) < 40000:
        sys.exit(f'{path}: only {len(readings)} entries read; is it the pinyin dictionary?')
    return readings


def toneless(reading):
    """The reading as typed on a keyboard: tone marks dropped, "ü" written "v".

    Decomposed, a tone is a combining mark over its vowel and goes. The diaeresis of ü becomes "v"
    (lǜ -> lv, nǚ -> nv). ê keeps only its letter (ê̄, ế -> e), as the input methods take it. The
    syllabic nasals keep theirs: ḿ, m̀ -> m; ń, ň, ǹ -> n; ńg, ňg -> ng; hm and hng stay.
    """
    letters = []
    for ch in unicodedata.normalize('NFD', reading.strip()):
        if ch == '\u0308' and letters and letters[-1] == 'u':
            letters[-1] = 'v'
        elif not unicodedata.combining(ch):
            letters.append(ch.lower())
    text = ''.join(letters)
    if not re.fullmatch(r'[a-z]+', text) or len(text) > MAX_SYLLABLE:
        sys.exit(f'reading {reading!r} gives {text!r}, not a syllable of at most {MAX_SYLLABLE} letters')
    return text


def toneless_readings(dictionary):
    """Code point -> its distinct toneless readings, in the dictionary's order."""
    table = {}
    for cp, readings in dictionary.items():
        table[cp] = list(dict.fromkeys(toneless(r) for r in readings))
    # A compatibility ideograph the dictionary misses reads as the unified one it stands for.
    for cp in range(0xF900, 0xFB00):
        unified = ord(unicodedata.normalize('NFC', chr(cp)))
        if cp not in table and unified != cp and unified in table:
            table[cp] = table[unified]
    return table


def gbk_chinese_set():
    """Every Chinese character of code page 936: each GBK double byte that decodes to an ideograph."""
    found = set()
    for lead in range(0x81, 0xFF):
        for trail in range(0x40, 0xFF):
            if trail == 0x7F:
                continue
            try:
                ch = bytes([lead, trail]).decode('gbk')
            except UnicodeDecodeError:
                continue
            name = unicodedata.name(ch, '')
            if name.startswith(('CJK UNIFIED IDEOGRAPH', 'CJK COMPATIBILITY IDEOGRAPH')) or ch == '\u3007':
                found.add(ord(ch))
    return found


def read_without_reading(path):
    """Code points of lines `U+XXXX` or `U+XXXX..U+YYYY`, with `#` comments."""
    listed = set()
    with open(path, encoding='utf-8') as f:
        for number, line in enumerate(f, 1):
            text = line.split('#', 1)[0].strip()
            if not text:
                continue
            m = re.fullmatch(r'U\+([0-9A-F]{4,5})(?:\.\.U\+([0-9A-F]{4,5}))?', text)
            if not m:
                sys.exit(f'{path}:{number}: not U+XXXX or U+XXXX..U+YYYY: {text}')
            first = int(m.group(1), 16)
            listed.update(range(first, int(m.group(2) or m.group(1), 16) + 1))
    return listed


def check_coverage(table, without_reading):
    gbk = gbk_chinese_set()
    required = gbk | set(range(0x4E00, 0x9FFF + 1))
    missing = sorted(cp for cp in required if cp not in table and cp not in without_reading)
    stale = sorted(cp for cp in without_reading if cp in table or cp not in required)
    if missing:
        sys.exit('no readings for ' + ' '.join(f'U+{cp:04X}' for cp in missing))
    if stale:
        sys.exit('listed as without reading, yet read or not required: ' + ' '.join(f'U+{cp:04X}' for cp in stale))
    return len(gbk), len(required), len(without_reading)


def cpp_array(type_and_name, values, per_line=16):
    lines = [','.join(str(v) for v in values[i:i + per_line]) for i in range(0, len(values), per_line)]
    return f'extern const {type_and_name}[] = {{\n' + ',\n'.join(lines) + '\n};\n'


def write_table(table, out_path, source):
    syllables = sorted({r for readings in table.values() for r in readings})
    syllable_id = {s: i for i, s in enumerate(syllables)}
    # List 0 is the empty one: a code point without readings.
    lists = [()]
    list_id = {(): 0}
    for cp in sorted(table):
        key = tuple(syllable_id[r] for r in table[cp])
        if key not in list_id:
            list_id[key] = len(lists)
            lists.append(key)
    list_starts, pool = [], []
    for syllable_ids in lists:
        list_starts.append(len(pool))
        pool.extend(syllable_ids)
    list_starts.append(len(pool))
    # A character's id: its offset in the direct range, or past it, its place among the others.
    others = sorted(cp for cp in table if not DIRECT_FIRST <= cp <= DIRECT_LAST)
    by_id = list(range(DIRECT_FIRST, DIRECT_LAST + 1)) + others
    char_lists = [list_id[tuple(syllable_id[r] for r in table.get(cp, ()))] for cp in by_id]
    if len(char_lists) > MAX_CHAR_IDS or len(pool) >= 1 << 16 or max(len(lists), len(syllables)) > MAX_LISTS:
        sys.exit(f'{len(char_lists)} characters, {len(lists)} lists, {len(pool)} list entries: too many for the layout')

    syllable_starts = [0]
    for s in syllables:
        syllable_starts.append(syllable_starts[-1] + len(s))

    # Written aside and moved in whole, so a failed run never leaves a table the build would take.
    partial = out_path + '.partial'
    with open(partial, 'w', encoding='utf-8', newline='\n') as f:
        f.write(f'// Generated by scripts/make-pinyin-table.py from {source}. Do not edit.\n')
        f.write('#include "mainwnd/search/pinyin_table_data.h"\n\n')
        f.write('namespace pinyin_table_data {\n\n')
        f.write(f'static_assert(kDirectFirst == 0x{DIRECT_FIRST:X} && kDirectLast == 0x{DIRECT_LAST:X}, '
                '"the direct range is the one the table was generated for");\n')
        f.write(f'extern const int kSyllableCount = {len(syllables)};\n')
        f.write(f'extern const int kListCount = {len(lists)};\n')
        f.write(f'extern const int kCharCount = {len(by_id)};\n')
        f.write(f'extern const char kSyllableLetters[] = "{"".join(syllables)}";\n')
        f.write(cpp_array('unsigned short kSyllableStarts', syllable_starts))
        f.write(cpp_array('unsigned short kListStarts', list_starts))
        f.write(cpp_array('unsigned short kListSyllables', pool))
        f.write(cpp_array('unsigned short kCharLists', char_lists, 32))
        f.write(cpp_array('unsigned int kOtherCodePoints', others))
        f.write('\n}  // namespace pinyin_table_data\n')
    os.replace(partial, out_path)
    return len(syllables), len(lists), len(others)


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    dictionary_path, without_path, out_path = sys.argv[1:]
    table = toneless_readings(read_dictionary(dictionary_path))
    gbk, required, without = check_coverage(table, read_without_reading(without_path))
    syllables, lists, others = write_table(
        table, out_path, 'pinyin_dict.go of golang-github-mozillazg-go-pinyin-dev (MIT)')
    print(f'pinyin table: {len(table)} characters read ({others} outside U+{DIRECT_FIRST:04X}..U+{DIRECT_LAST:04X}), '
          f'{syllables} syllables, {lists} reading lists; {required} characters required '
          f'({gbk} of code page 936), {without} of them listed as without reading')


if __name__ == '__main__':
    main()
