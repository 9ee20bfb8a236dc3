#!/usr/bin/env python3
"""Re-checks the string table of ferromes against the design document.

The design document (Markdown) quotes user-visible texts together with their
string numbers in several forms:

    message 7010 "..."            number, blank, quoted text
    | 2 | 4107 | "..." |           table row: code or getter, number, quoted text
    8105 ("...")                  number, text in parentheses
    8019 with title 8020 ("a" / "b")
    1217 begins "..."             only the beginning of the text is given

This script collects every such quotation, drops the numbers that are not
string numbers (version bits such as 0x800 "Windows Vista", years), and
compares each text byte for byte with messages/ferromes.rc. It also lists
numbers that the document names as message or title numbers without quoting
them, so that they can be checked for presence.

    scripts/check-string-table.py DOCUMENT.md [--rc messages/ferromes.rc] [--list]

Exit status 0 when every quoted text is in the table exactly as quoted.
The build and the tests never run this script; it is a maintenance tool.
"""
import argparse
import os
import re
import sys

# Numbered texts of the document that are not string numbers: the platform
# names are quoted after version bits, and "?" after the status bit 0x800.
NOT_STRING_NUMBERS = {100, 200, 800}
# Window messages that the document calls "message 1034" and the like.
WINDOW_MESSAGES = {1034, 1124, 1125, 3072, 5119}

# String-number ranges of the table: a number outside them is never a string.
RANGES = [(196, 196), (212, 220), (999, 1219), (2000, 2026), (3398, 3584), (3600, 3707),
          (4100, 4111), (5334, 5334), (7000, 7172), (8000, 8405), (8500, 8500), (9010, 9016),
          (9100, 9107), (9272, 9302), (11200, 11241), (12200, 12249), (32773, 32840),
          (32999, 33323)]


def in_ranges(n):
    return any(a <= n <= b for a, b in RANGES)


def unescape_document(text):
    """In the document \\n is a line feed, \\r a carriage return and \\t a tab;
    any other backslash stands for itself."""
    return re.sub(r'\\([nrt])', lambda m: {'n': '\n', 'r': '\r', 't': '\t'}[m.group(1)], text)


NUM = r'(?<![\w.#\-])(\d{3,5})(?![\w.])'


def quotations(lines):
    """Yields (number, text, is_prefix, line number) for every numbered quotation."""
    for no, line in enumerate(lines, 1):
        found = []
        # number "text" (also inside table cells)
        for m in re.finditer(NUM + r' "([^"]*)"', line):
            found.append((int(m.group(1)), m.group(2), False))
        # number begins "text"
        for m in re.finditer(NUM + r' begins "([^"]*)"', line):
            found.append((int(m.group(1)), m.group(2), True))
        # | code or getter | number | "text" |
        for m in re.finditer(r'\|[^|]*\|\s*(\d{3,5})\s*\|\s*"([^"]*)"', line):
            found.append((int(m.group(1)), m.group(2), False))
        # number ("text") and number ("text", ...)
        for m in re.finditer(NUM + r' \("([^"]*)"[,)]', line):
            found.append((int(m.group(1)), m.group(2), False))
        # message A with title B ("a" / "b")
        for m in re.finditer(NUM + r' with title ' + NUM + r' \("([^"]*)" / "([^"]*)"\)', line):
            found.append((int(m.group(1)), m.group(3), False))
            found.append((int(m.group(2)), m.group(4), False))
        # range table: | number | 1 | what | "text" |
        m = re.match(r'\|\s*(\d{3,5})\s*\|\s*1\s*\|[^|]*\|\s*"([^"]*)"\s*\|', line)
        if m:
            found.append((int(m.group(1)), m.group(2), False))
        # 7000 the product title with its version ("text"), 7002 and 7003 the version number "430"
        m = re.search(NUM + r' the product title with its version \("([^"]*)"\)', line)
        if m:
            found.append((int(m.group(1)), m.group(2), False))
        m = re.search(NUM + r' and ' + NUM + r' the version number "([^"]*)"', line)
        if m:
            found.append((int(m.group(1)), m.group(3), False))
            found.append((int(m.group(2)), m.group(3), False))
        # numbered series such as 3492 to 3499 "Boundary2" ... "Boundary9": the
        # quotation right after the last number is the first name of the series,
        # not that number's text
        m = re.search(NUM + r' to ' + NUM + r' "(\D+)(\d+)" \.\.\. "(\D+)(\d+)"', line)
        if m:
            first, last = int(m.group(1)), int(m.group(2))
            found = [f for f in found if not (f[0] == last and f[1] == m.group(3) + m.group(4))]
            for i, n in enumerate(range(first, last + 1)):
                found.append((n, f'{m.group(3)}{int(m.group(4)) + i}', False))
        for n, text, prefix in found:
            if n in NOT_STRING_NUMBERS or not in_ranges(n):
                continue
            yield n, unescape_document(text), prefix, no


def mentioned_numbers(lines):
    """Numbers named as message, title, text or string numbers without a quotation."""
    pattern = re.compile(r'(?:message|title|text|string|label|heading)s? ' + NUM +
                         r'(?:(?:/| or | and |, )' + NUM + r')*')
    for no, line in enumerate(lines, 1):
        for m in pattern.finditer(line):
            for n in re.findall(r'\d{3,5}', m.group(0)):
                n = int(n)
                if in_ranges(n) and n not in WINDOW_MESSAGES:
                    yield n, no


def rc_unescape(body):
    out, i = [], 0
    while i < len(body):
        c = body[i]
        if c == '\\' and i + 1 < len(body):
            nxt = body[i + 1]
            out.append({'n': '\n', 'r': '\r', 't': '\t', '\\': '\\', '"': '"', 'a': '\a'}.get(nxt, '\\' + nxt))
            i += 2
        elif c == '"' and body[i + 1:i + 2] == '"':
            out.append('"')
            i += 2
        else:
            out.append(c)
            i += 1
    return ''.join(out)


def read_rc(path):
    table, inside = {}, False
    for line in open(path, encoding='utf-8'):
        s = line.strip()
        if s == 'STRINGTABLE':
            inside = True
            continue
        if inside and s == 'END':
            inside = False
            continue
        if not inside:
            continue
        m = re.match(r'(\d+)\s+"((?:[^"]|"")*)"\s*$', s)
        if m:
            n = int(m.group(1))
            if n in table:
                raise SystemExit(f'{path}: string {n} is defined twice')
            table[n] = rc_unescape(m.group(2))
    return table


def rc_escape(text):
    return (text.replace('\\', '\\\\').replace('"', '""').replace('\r', '\\r')
            .replace('\n', '\\n').replace('\t', '\\t'))


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument('document')
    ap.add_argument('--rc', default=os.path.join(os.path.dirname(__file__), '..', 'messages', 'ferromes.rc'))
    ap.add_argument('--list', action='store_true', help='print the quoted texts as string-table lines')
    a = ap.parse_args()

    lines = open(a.document, encoding='utf-8').read().split('\n')
    quoted = {}
    problems = []
    for n, text, prefix, no in quotations(lines):
        old = quoted.get(n)
        if old and not prefix and not old[1] and old[0] != text:
            problems.append(f'line {no}: {n} quoted as {text!r}, line {old[2]} has {old[0]!r}')
        if not old or (old[1] and not prefix):
            quoted[n] = (text, prefix, no)

    if a.list:
        for n in sorted(quoted):
            text, prefix, no = quoted[n]
            print(f'  {n} "{rc_escape(text)}"' + ('  // begins' if prefix else ''))
        return 0

    table = read_rc(a.rc)
    for text in table.values():
        try:
            text.encode('cp932')
        except UnicodeEncodeError as e:
            problems.append(f'not representable in code page 932: {text!r} ({e})')
    for n in sorted(quoted):
        text, prefix, no = quoted[n]
        have = table.get(n)
        if have is None:
            problems.append(f'line {no}: {n} {text!r} is missing from the table')
        elif prefix and not have.startswith(text):
            problems.append(f'line {no}: {n} must begin {text!r}, table has {have!r}')
        elif not prefix and have != text:
            problems.append(f'line {no}: {n} must be {text!r}, table has {have!r}')
    for n, no in mentioned_numbers(lines):
        if n not in table and n not in quoted:
            problems.append(f'line {no}: {n} is named as a string number but the table lacks it')
    if problems:
        print('\n'.join(sorted(set(problems))))
    print(f'{len(quoted)} quoted texts checked, {len(table)} strings in the table, {len(set(problems))} problems')
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main())
