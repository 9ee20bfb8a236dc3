#!/usr/bin/env python3
"""Prints the export lines of the option-flag table (option_flags.def), in its
order, for the option-flag section of engine/ferro32.def."""
import os, re

ACCESSORS = {
    'IS': ['Set', 'Is'], 'GET': ['Set', 'Get'], 'OR': ['Set', 'Get', 'Add'], 'SUM': ['Set', 'Get', 'Add'],
    'SIGNED_OR': ['Set', 'Get', 'Add'], 'TOGGLE': ['Set', 'Is', 'Toggle'], 'PARAM': ['Set', 'Get'],
    'SHOW': ['Show', 'Get'], 'ISWHAT': ['Set', 'IsWhat'], 'SET': ['Set'],
}
table = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'option_flags.def')
for line in open(table, encoding='utf-8'):
    m = re.match(r'\s*FLAG\((\w+),\s*(\w+),', line)
    if m:
        for prefix in ACCESSORS[m.group(2)]:
            print(prefix + m.group(1))
